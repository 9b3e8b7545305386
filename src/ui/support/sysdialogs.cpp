#include "ui/support/sysdialogs.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "ui/support/errorbox.h"
#include "ui/widgets/fontcolordialog.h"
#include "ui/widgets/render.h"

namespace {

TSystemDialogs* Installed = nullptr;

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

TSystemDialogs& SystemDialogs() {
  static TSystemDialogs real;
  return Installed ? *Installed : real;
}

void SetSystemDialogs(TSystemDialogs* dialogs) { Installed = dialogs; }
