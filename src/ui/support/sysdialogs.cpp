#include "ui/support/sysdialogs.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <utility>

#include "ui/support/apptitle.h"
#include "ui/support/problemlist.h"
#include "ui/widgets/fontcolordialog.h"
#include "ui/widgets/render.h"

// The texts of the message boxes, in the interface language.
class TSystemDialogsTexts {
  Q_DECLARE_TR_FUNCTIONS(TSystemDialogs)
};

namespace {

TSystemDialogs* Installed = nullptr;

// At most this many lines of a list are shown in the box itself; all of them
// behind "Show Details".
constexpr qsizetype kListedLines = 20;

// Message box texts come with CR LF line ends; Qt breaks lines on LF.
QString BoxText(const QString& text) {
  QString result = text;
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return result;
}

}  // namespace

int TSystemDialogs::RunModal(QDialog& dialog) { return dialog.exec(); }

bool TSystemDialogs::RunFileDialog(QFileDialog& dialog) {
  return dialog.exec() == QDialog::Accepted;
}

bool TSystemDialogs::ChooseColor(QWidget* parent, TColor& color) {
  QColorDialog dialog(ToQColor(color), parent);
  dialog.setObjectName(QStringLiteral("SelectColor"));
  // Qt's own dialog always shows its custom colours and accepts any colour.
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted) return false;
  color = ToTColor(dialog.currentColor());
  return true;
}

bool TSystemDialogs::ChooseFont(QWidget* parent, TFontDesc& font) {
  TFontColorDialog dialog(
      parent, [this](QWidget* owner, TColor& color) { return ChooseColor(owner, color); });
  dialog.SetFontDesc(font);
  if (RunModal(dialog) != QDialog::Accepted) return false;
  font = dialog.FontDesc();
  return true;
}

void TSystemDialogs::ShowError(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Critical, ApplicationTitle(), BoxText(text), QMessageBox::Ok,
                  parent);
  box.exec();
}

void TSystemDialogs::ShowAbout(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), BoxText(text), QMessageBox::NoButton,
                  parent);
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  // Centred on the screen, not over the window.
  box.adjustSize();
  if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
    QRect frame = box.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    box.move(frame.topLeft());
  }
  box.exec();
}

QMessageBox::StandardButton TSystemDialogs::AskSaveChanges(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Warning, ApplicationTitle(), BoxText(text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setObjectName(QStringLiteral("SaveChangesBox"));
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  RunModal(box);
  QAbstractButton* clicked = box.clickedButton();
  if (clicked == nullptr) return QMessageBox::Cancel;
  const QMessageBox::StandardButton answer = box.standardButton(clicked);
  return answer == QMessageBox::NoButton ? QMessageBox::Cancel : answer;
}

void TSystemDialogs::ShowMessage(QWidget* parent, const QString& text, const QString& details) {
  QMessageBox box(QMessageBox::Information, ApplicationTitle(), BoxText(text), QMessageBox::Ok,
                  parent);
  box.setObjectName(QStringLiteral("MessageBox"));
  if (!details.isEmpty()) box.setDetailedText(BoxText(details));
  RunModal(box);
}

bool TSystemDialogs::AskReread(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, ApplicationTitle(), BoxText(text),
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setObjectName(QStringLiteral("RereadBox"));
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  RunModal(box);
  return box.clickedButton() == box.button(QMessageBox::Yes);
}

bool TSystemDialogs::AskWriteInto(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, ApplicationTitle(), BoxText(text),
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setObjectName(QStringLiteral("WriteIntoBox"));
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  RunModal(box);
  return box.clickedButton() == box.button(QMessageBox::Yes);
}

TChangedFileAnswer TSystemDialogs::AskOverwrite(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Warning, ApplicationTitle(), BoxText(text), QMessageBox::NoButton,
                  parent);
  box.setObjectName(QStringLiteral("OverwriteBox"));
  QPushButton* overwrite =
      box.addButton(TSystemDialogsTexts::tr("Перезаписать"), QMessageBox::DestructiveRole);
  overwrite->setObjectName(QStringLiteral("Overwrite"));
  QPushButton* reread =
      box.addButton(TSystemDialogsTexts::tr("Перечитать"), QMessageBox::ResetRole);
  reread->setObjectName(QStringLiteral("Reread"));
  QPushButton* cancel = box.addButton(TSystemDialogsTexts::tr("Отмена"), QMessageBox::RejectRole);
  cancel->setObjectName(QStringLiteral("Cancel"));
  box.setDefaultButton(cancel);
  box.setEscapeButton(cancel);
  RunModal(box);
  if (box.clickedButton() == overwrite) return TChangedFileAnswer::Overwrite;
  if (box.clickedButton() == reread) return TChangedFileAnswer::Reread;
  return TChangedFileAnswer::Cancel;
}

TSystemDialogs& SystemDialogs() {
  static TSystemDialogs real;
  return Installed ? *Installed : real;
}

void SetSystemDialogs(TSystemDialogs* dialogs) { Installed = dialogs; }

void ShowListMessage(QWidget* parent, const QString& heading, const TProblemTexts& lines) {
  if (lines.empty()) return;
  QString text = heading + QStringLiteral("\n");
  qsizetype listed = 0;
  for (auto line = lines.begin(); line != lines.end() && listed < kListedLines; ++line, ++listed)
    text += QStringLiteral("\n") + QString::fromStdString(*line);
  if (std::cmp_less_equal(lines.size(), kListedLines)) {
    SystemDialogs().ShowMessage(parent, text, QString());
    return;
  }
  text +=
      QStringLiteral("\n") +
      TSystemDialogsTexts::tr("… и ещё %1.").arg(lines.size() - static_cast<size_t>(kListedLines));
  SystemDialogs().ShowMessage(parent, text, lines);
}

void TSystemDialogs::ShowMessage(QWidget* parent, const QString& text, const TProblemTexts& lines) {
  QMessageBox box(QMessageBox::Information, ApplicationTitle(), BoxText(text), QMessageBox::Ok,
                  parent);
  box.setObjectName(QStringLiteral("MessageBox"));
  TProblemListModel model(lines);
  auto* list = new QListView(&box);
  list->setObjectName(QStringLiteral("ProblemList"));
  list->setUniformItemSizes(true);  // no row is made only to measure it
  list->setModel(&model);
  // Below the text, above the buttons.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    if (auto* buttons = box.findChild<QDialogButtonBox*>()) {
      const int row = grid->rowCount();
      grid->removeWidget(buttons);
      grid->addWidget(list, row, 0, 1, grid->columnCount());
      grid->addWidget(buttons, row + 1, 0, 1, grid->columnCount());
    }
  }
  RunModal(box);
}

void ShowListMessage(QWidget* parent, const QString& heading,
                     const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  QStringList shown;
  for (const std::string& line : lines) shown << QString::fromStdString(line);
  QString text =
      heading + QStringLiteral("\n\n") + shown.mid(0, kListedLines).join(QLatin1Char('\n'));
  QString details;
  if (shown.size() > kListedLines) {
    text += QStringLiteral("\n") +
            TSystemDialogsTexts::tr("… и ещё %1.").arg(shown.size() - kListedLines);
    details = shown.join(QLatin1Char('\n'));
  }
  SystemDialogs().ShowMessage(parent, text, details);
}
