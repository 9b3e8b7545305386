// Where the main window's controls lie: the menu, the four pages, the mock-up
// of the setup screen and the list pages. Handlers are connected elsewhere.
#include <QFrame>
#include <QLayout>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>

#include "ui/forms/vgmain.h"
#include "ui/widgets/checklistbox.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/groupframe.h"
#include "ui/widgets/render.h"
#include "ui/widgets/variablesgrid.h"

namespace {

const char* const kWelcomeLines[] = {
    "Добро пожаловать в программу установки  ..................................... Эта программа",
    "установит  .................................... на ваш компьютер.",
    "",
    "Настоятельно рекомендуется закрыть все Windows-приложения перед",
    "запуском этой программы. Нажмите Отмена для выхода из программы",
    "установки и закройте все запущенные вами приложения. Или нажмите далее,",
    "чтобы продолжить установку.",
    "",
    "ПРЕДУПРЕЖДЕНИЕ: Эта программа защищена в соответствии с законом об ",
    "авторском праве и международными соглашениями.",
};

QString WelcomeText() {
  QStringList lines;
  for (const char* line : kWelcomeLines) lines << QString::fromUtf8(line);
  return lines.join(QLatin1Char('\n'));
}

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A shadowed title of the mock-up: transparent, shadow to the right and below.
TShadowLabel* MakeTitle(QWidget* parent, const char* name, const QRect& geometry,
                        const QString& hint) {
  auto* title = Named(new TShadowLabel(parent), name);
  title->setGeometry(geometry);
  title->SetTransparent(true);
  title->SetShadowPos(spRightBottom);
  title->setCursor(Qt::PointingHandCursor);
  title->setToolTip(hint);
  return title;
}

TGroupFrame* MakeGroupBox(QWidget* page, const char* name, const QString& caption,
                          const QRect& geometry) {
  auto* box = Named(new TGroupFrame(caption, page), name);
  box->setGeometry(geometry);
  return box;
}

TCheckListBox* MakeList(QWidget* box, const char* name, const QRect& geometry, int columns) {
  auto* view = Named(new TCheckListBox(box), name);
  view->setGeometry(geometry);
  view->SetColumns(columns);
  return view;
}

}  // namespace

void TMainForm::LayOut() {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Visual vuka.ini manager [ROVEL] 1.0"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(DefaultWindowFont());
  LayOutMenu();
  LayOutPages();
  LayOutMockupPage();
  LayOutListPages();
}

void TMainForm::LayOutMenu() {
  QMenu* fileMenu = Named(menuBar()->addMenu(QStringLiteral("Файл")), "FileMenu");
  QAction* newAction = Named(fileMenu->addAction(QStringLiteral("Новый")), "New");
  newAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  QAction* saveAction = Named(fileMenu->addAction(QStringLiteral("Сохранить")), "Save");
  saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  QMenu* helpMenu = Named(menuBar()->addMenu(QStringLiteral("Помощь")), "HelpMenu");
  Named(helpMenu->addAction(QStringLiteral("О программе")), "About");
}

void TMainForm::LayOutPages() {
  Pages_ = Named(new QTabWidget(this), "Pages");
  Pages_->setFixedSize(427, 320);
  Pages_->setDocumentMode(true);
  // Flat tab buttons that light up under the mouse; the current one looks pressed.
  Pages_->tabBar()->setStyleSheet(QStringLiteral(
      "QTabBar::tab { background: transparent; border: 1px solid transparent; padding: 3px 8px;"
      " margin: 2px 1px 1px 1px; }"
      "QTabBar::tab:hover { border-color: palette(light) palette(dark) palette(dark) "
      "palette(light); }"
      "QTabBar::tab:selected { background: palette(midlight);"
      " border-color: palette(dark) palette(light) palette(light) palette(dark); }"));
  const char* const sheets[] = {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4"};
  const char* const titles[] = {"Внешний вид", "Языки", "Диалоги", "Переменные"};
  for (int i = 0; i < 4; ++i)
    Pages_->addTab(Named(new QWidget, sheets[i]), QString::fromUtf8(titles[i]));
  setCentralWidget(Pages_);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

// The mock screen: a bordered picture with the main title; children are created
// back to front, so later siblings are drawn above earlier ones.
void TMainForm::LayOutMockupPage() {
  auto* border = Named(new QFrame(Pages_->widget(0)), "PreviewBorder");
  border->setGeometry(6, 6, 408, 278);
  border->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  border->setLineWidth(2);
  // The mock screen is the client area inside the 2-pixel border.
  auto* screen = Named(new QWidget(border), "PreviewClient");
  screen->setGeometry(2, 2, 404, 274);

  Background_ = Named(new TPictureBox(screen), "Background");
  Background_->setGeometry(0, 0, 404, 274);
  Background_->setCursor(Qt::PointingHandCursor);
  Background_->setToolTip(QStringLiteral("Изменить установки для заднего фона"));
  ProgramName_ = MakeTitle(screen, "ProgramName", QRect(8, 4, 396, 57),
                           QStringLiteral("Изменить название программы и вид надписи"));
  LayOutMockDialog(screen);
}

// The mock setup dialog over the mock screen.
void TMainForm::LayOutMockDialog(QWidget* screen) {
  auto* dialog = Named(new QFrame(screen), "Dialog");
  dialog->setGeometry(104, 66, 301, 209);
  dialog->setFrameStyle(QFrame::Panel | QFrame::Raised);
  dialog->setLineWidth(1);
  FillBackground(dialog, clBtnFace);

  auto* bevel = Named(new QFrame(dialog), "Bevel1");
  bevel->setGeometry(3, 20, 296, 65);
  bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  bevel->setLineWidth(1);
  bevel->setMidLineWidth(0);
  auto* header = Named(new TPictureBox(dialog), "HeaderPicture");
  header->setGeometry(4, 21, 294, 62);
  header->SetPicture(HeaderBitmap());
  DlgName_ =
      MakeTitle(dialog, "DlgName", QRect(7, 22, 292, 47), QStringLiteral("Изменить вид надписи"));

  auto* label1 = Named(new TClickLabel(dialog), "Label1");
  label1->setGeometry(17, 96, 292, 116);
  label1->setWordWrap(false);
  label1->setTextFormat(Qt::PlainText);
  label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label1->setMargin(0);
  label1->setIndent(0);
  label1->SetLineHeight(13);  // the line pitch of the classic 8-point dialog font
  FillBackground(label1, clBtnFace);
  label1->setText(WelcomeText());
  label1->setCursor(Qt::PointingHandCursor);
  label1->setToolTip(QStringLiteral("Настроить позицию диалога"));
  Label1_ = label1;

  DlgCaption_ = Named(new QLabel(dialog), "DlgCaption");
  DlgCaption_->setGeometry(3, 2, 297, 17);
  DlgCaption_->setTextFormat(Qt::PlainText);
  DlgCaption_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  DlgCaption_->setFont(ToQFont(TFontDesc{"MS Sans Serif", 8, 0, true, false, false, false}));
  FillBackground(DlgCaption_, clActiveCaption);
  SetPaletteColor(DlgCaption_, QPalette::WindowText, clCaptionText);
  DlgCaption_->setText(QStringLiteral(" Установка Демо-программа 1.0"));
}

void TMainForm::LayOutListPages() {
  QWidget* languages = Pages_->widget(1);
  QWidget* dialogs = Pages_->widget(2);
  QWidget* variables = Pages_->widget(3);

  QWidget* box1 = MakeGroupBox(languages, "GroupBox1", QStringLiteral(" Список доступных языков "),
                               QRect(5, 4, 409, 281));
  Langs_ = MakeList(box1, "Langs", QRect(8, 16, 393, 257), 2);
  QWidget* box2 = MakeGroupBox(dialogs, "GroupBox2", QStringLiteral(" Диалоги до инсталляции "),
                               QRect(5, 4, 409, 161));
  Pred_ = MakeList(box2, "Pred", QRect(16, 21, 377, 129), 1);
  QWidget* box3 = MakeGroupBox(dialogs, "GroupBox3", QStringLiteral(" Диалоги после инсталляции "),
                               QRect(5, 172, 409, 109));
  Post_ = MakeList(box3, "Post", QRect(16, 20, 377, 77), 1);
  QWidget::setTabOrder(Pred_, Post_);

  Variables_ = Named(new TVariablesGrid(variables), "Variables");
  Variables_->setGeometry(5, 4, 409, 281);
}
