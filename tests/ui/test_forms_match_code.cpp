// Each stored window form, built onto a scratch window by its generated setupUi
// and finished with what a form cannot say (window flags, the pixel-sized window
// font, scheme colours, pictures), makes the same widgets as the window's
// construction code: the same classes, names, stacking order, geometry, texts,
// fonts, every other Qt property and the same focus chain.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QBuffer>
#include <QDebug>
#include <QIcon>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMetaProperty>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <memory>
#include <utility>
#include <vector>

#include "app_fixture.h"
#include "ui/forms/LabelStyle.h"
#include "ui/forms/backcolor.h"
#include "ui/forms/dlgpos.h"
#include "ui/forms/vgmain.h"
#include "ui/widgets/checklistbox.h"
#include "ui/widgets/cp1251input.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/render.h"
#include "ui/widgets/variablesgrid.h"
#include "ui_LabelStyle.h"
#include "ui_backcolor.h"
#include "ui_dlgpos.h"
#include "ui_vgmain.h"

namespace {

// Where a window is and what state it is in are not part of its layout.
const QSet<QByteArray> kNotLayout = {"pos",
                                     "frameGeometry",
                                     "normalGeometry",
                                     "x",
                                     "y",
                                     "rect",
                                     "childrenRect",
                                     "childrenRegion",
                                     "frameSize",
                                     "focus",
                                     "isActiveWindow",
                                     "visible",
                                     "font",
                                     "windowIcon",
                                     "icon"};

// Properties that the window takes from its project or its state at run time.
using TExemptions = QSet<QString>;  // "ObjectName.property"

QString Show(const QVariant& value) {
  QString text;
  QDebug(&text) << value;
  return text;
}

QByteArray IconImage(const QIcon& icon, const QSize& size) {
  if (icon.isNull()) return {};
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  icon.pixmap(size).toImage().save(&buffer, "PNG");
  return bytes;
}

class TComparer {
 public:
  explicit TComparer(TExemptions exemptions) : Exempt_(std::move(exemptions)) {}

  void Compare(QWidget* code, QWidget* form, const QString& path) {
    const QString name = code->objectName();
    // The windows are the project's own classes; their forms are built onto a plain base.
    if (!code->isWindow())
      Check(path, "class", QString::fromLatin1(code->metaObject()->className()),
            QString::fromLatin1(form->metaObject()->className()));
    Check(path, "objectName", name, form->objectName());
    if (code->isWindow()) {
      Check(path, "size", Show(code->size()), Show(form->size()));
    } else {
      Check(path, "geometry", Show(code->geometry()), Show(form->geometry()));
    }
    if (!Exempt_.contains(name + QStringLiteral(".font")))
      Check(path, "font", code->font().toString(), form->font().toString());
    Check(path, "icon", IconImage(code->property("icon").value<QIcon>(), QSize(16, 16)).toBase64(),
          IconImage(form->property("icon").value<QIcon>(), QSize(16, 16)).toBase64());
    CompareProperties(code, form, path);
    if (qobject_cast<TCheckListBox*>(code) || qobject_cast<TVariablesGrid*>(code)) return;
    const QList<QWidget*> codeChildren = Children(code);
    const QList<QWidget*> formChildren = Children(form);
    Check(path, "children", Names(codeChildren), Names(formChildren));
    for (qsizetype i = 0; i < std::min(codeChildren.size(), formChildren.size()); ++i)
      Compare(codeChildren[i], formChildren[i], path + QLatin1Char('/') + Label(codeChildren[i]));
  }

  // The widgets that take the keyboard focus by Tab, in the order Tab reaches them.
  static QStringList TabChain(QWidget* window) {
    QStringList names;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
      if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty()) names << w->objectName();
    }
    return names;
  }

  void Check(const QString& path, const char* what, const QString& code, const QString& form) {
    if (code != form)
      Differences << QStringLiteral("%1 %2: code %3, form %4").arg(path, what, code, form);
  }

  QStringList Differences;

 private:
  void CompareProperties(QWidget* code, QWidget* form, const QString& path) {
    const QMetaObject* meta = code->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
      const QMetaProperty property = meta->property(i);
      const QByteArray name = property.name();
      if (kNotLayout.contains(name) || Exempt_.contains(code->objectName() + '.' + name)) continue;
      const QVariant a = property.read(code);
      const QVariant b = form->property(name.constData());
      if (a != b) Check(path, name.constData(), Show(a), Show(b));
    }
  }

  static QList<QWidget*> Children(QWidget* parent) {
    QList<QWidget*> widgets;
    for (QObject* child : parent->children()) {
      auto* widget = qobject_cast<QWidget*>(child);
      if (widget != nullptr && !widget->isWindow()) widgets << widget;
    }
    return widgets;
  }
  static QString Label(QWidget* widget) {
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
  }
  static QString Names(const QList<QWidget*>& widgets) {
    QStringList names;
    for (QWidget* widget : widgets) names << Label(widget);
    return names.join(QLatin1Char(','));
  }

  TExemptions Exempt_;
};

void FillWith(QWidget* widget, QPalette::ColorRole role, TColor color) {
  QPalette palette = widget->palette();
  palette.setColor(role, ToQColor(color));
  widget->setPalette(palette);
}

constexpr TColor kButtonFace = clSchemeFlag | 15u;
constexpr TColor kActiveCaption = clSchemeFlag | 2u;
constexpr TColor kCaptionText = clSchemeFlag | 9u;

void SetBrush(QToolButton* button) { button->setIcon(QIcon(QPixmap::fromImage(BrushBitmap()))); }

template <typename Dialog>
std::unique_ptr<QDialog> ScratchDialog() {
  auto scratch = std::make_unique<QDialog>(nullptr, DialogWindowFlags());
  scratch->setFont(DefaultWindowFont());
  static Dialog ui;
  ui.setupUi(scratch.get());
  return scratch;
}

void ExpectSame(QWidget& code, QWidget& form, const TExemptions& exemptions = {}) {
  TComparer comparer(exemptions);
  comparer.Compare(&code, &form, code.objectName());
  comparer.Check(code.objectName(), "windowFlags", Show(int(code.windowFlags())),
                 Show(int(form.windowFlags())));
  comparer.Check(code.objectName(), "tab chain", TComparer::TabChain(&code).join(','),
                 TComparer::TabChain(&form).join(','));
  EXPECT_TRUE(comparer.Differences.isEmpty()) << comparer.Differences.join('\n').toStdString();
}

class FormsMatchCode : public ::testing::Test {
 protected:
  TMainForm Main;
};

TEST_F(FormsMatchCode, LabelStyleDialog) {
  TStyleDlg code(&Main);
  auto form = ScratchDialog<Ui::StyleDlg>();
  SetBrush(form->findChild<QToolButton*>("TextFont"));
  SetBrush(form->findChild<QToolButton*>("ShadowColor"));
  // The label is sized to its text; the form states the size it has here.
  auto* label = form->findChild<QLabel*>("Label1");
  EXPECT_EQ(label->geometry(), code.findChild<QLabel*>("Label1")->geometry());
  label->adjustSize();
  InstallCp1251Guard(form->findChild<QLineEdit*>("ProgName"));
  TFontDesc sample;
  sample.Name = "Times New Roman";
  sample.Size = 22;
  form->findChild<TShadowLabel*>("Preview")->SetFontDesc(sample);
  ExpectSame(code, *form);
}

TEST_F(FormsMatchCode, BackgroundDialog) {
  TColorForm code(&Main);
  auto form = ScratchDialog<Ui::ColorForm>();
  SetBrush(form->findChild<QToolButton*>("TColor"));
  SetBrush(form->findChild<QToolButton*>("BColor"));
  ExpectSame(code, *form);
}

TEST_F(FormsMatchCode, DialogPositionDialog) {
  TPosForm code(Main.Project(), &Main);
  auto form = ScratchDialog<Ui::PosForm>();
  FillWith(form->findChild<QWidget*>("Demo"), QPalette::Window, kButtonFace);
  auto* title = form->findChild<QWidget*>("Panel3");
  FillWith(title, QPalette::Window, kActiveCaption);
  FillWith(title, QPalette::WindowText, kCaptionText);
  ExpectSame(code, *form);
}

TEST_F(FormsMatchCode, MainWindow) {
  QMainWindow form(nullptr, Main.windowFlags());
  form.setFont(Main.font());
  Ui::MainForm ui;
  ui.setupUi(&form);
  ui.Pages->tabBar()->setStyleSheet(Main.findChild<QTabWidget*>("Pages")->tabBar()->styleSheet());
  form.layout()->setSizeConstraint(QLayout::SetFixedSize);
  FillWith(ui.Dialog, QPalette::Window, kButtonFace);
  FillWith(ui.Label1, QPalette::Window, kButtonFace);
  FillWith(ui.DlgCaption, QPalette::Window, kActiveCaption);
  FillWith(ui.DlgCaption, QPalette::WindowText, kCaptionText);
  ui.HeaderPicture->SetPicture(HeaderBitmap());
  EXPECT_EQ(form.size(), Main.size()) << "the size the form states";
  form.adjustSize();

  // The titles show the project; the lists and the table hold its rows.
  const TExemptions fromProject = {"ProgramName.Caption",
                                   "ProgramName.text",
                                   "ProgramName.palette",
                                   "ProgramName.ShadowColor",
                                   "ProgramName.ShadowSize",
                                   "DlgName.Caption",
                                   "DlgName.text",
                                   "DlgName.palette",
                                   "DlgName.ShadowColor",
                                   "DlgName.ShadowSize",
                                   "ProgramName.font",
                                   "ProgramName.sizeHint",
                                   "ProgramName.minimumSizeHint",
                                   "DlgName.font",
                                   "DlgName.sizeHint",
                                   "DlgName.minimumSizeHint"};
  TComparer comparer(fromProject);
  comparer.Compare(Main.centralWidget(), form.centralWidget(), QStringLiteral("Pages"));
  comparer.Check("MainForm", "size", Show(Main.size()), Show(form.size()));
  comparer.Check("MainForm", "windowTitle", Main.windowTitle(), form.windowTitle());
  comparer.Check("MainForm", "objectName", Main.objectName(), form.objectName());
  comparer.Check("MainForm", "font", Main.font().toString(), form.font().toString());
  comparer.Check("MainForm", "tab chain", TComparer::TabChain(&Main).join(','),
                 TComparer::TabChain(&form).join(','));
  const QList<QAction*> codeMenus = Main.menuBar()->actions();
  const QList<QAction*> formMenus = form.menuBar()->actions();
  ASSERT_EQ(codeMenus.size(), formMenus.size());
  for (qsizetype m = 0; m < codeMenus.size(); ++m) {
    QMenu* codeMenu = codeMenus[m]->menu();
    QMenu* formMenu = formMenus[m]->menu();
    comparer.Check("menu", "name", codeMenu->objectName(), formMenu->objectName());
    comparer.Check("menu", "text", codeMenus[m]->text(), formMenus[m]->text());
    const QList<QAction*> codeItems = codeMenu->actions();
    const QList<QAction*> formItems = formMenu->actions();
    ASSERT_EQ(codeItems.size(), formItems.size());
    for (qsizetype i = 0; i < codeItems.size(); ++i) {
      const QString path = codeMenu->objectName() + '/' + codeItems[i]->objectName();
      comparer.Check(path, "name", codeItems[i]->objectName(), formItems[i]->objectName());
      comparer.Check(path, "text", codeItems[i]->text(), formItems[i]->text());
      comparer.Check(path, "shortcut", codeItems[i]->shortcut().toString(),
                     formItems[i]->shortcut().toString());
    }
  }
  EXPECT_EQ(ui.HeaderPicture->Picture(), Main.findChild<TPictureBox*>("HeaderPicture")->Picture());
  EXPECT_TRUE(comparer.Differences.isEmpty()) << comparer.Differences.join('\n').toStdString();
}

}  // namespace
