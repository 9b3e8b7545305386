#include "app_fixture.h"

#include <utility>

int TTestDialogs::RunModal(QDialog& dialog) {
  Modals << dialog.objectName();
  if (!OnModal) {
    ADD_FAILURE() << "unexpected modal dialog " << dialog.objectName().toStdString();
    return QDialog::Rejected;
  }
  dialog.setResult(QDialog::Rejected);
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) ADD_FAILURE() << "dialog not exposed";
  OnModal(dialog);
  if (dialog.isVisible()) dialog.reject();
  return dialog.result();
}

bool TTestDialogs::RunFileDialog(QFileDialog& dialog) {
  Modals << dialog.objectName();
  if (!OnFileDialog) {
    ADD_FAILURE() << "unexpected file dialog";
    return false;
  }
  return OnFileDialog(dialog);
}

bool TTestDialogs::ChooseColor(QWidget* parent, TColor& color) {
  if (!OnChooseColor) {
    ADD_FAILURE() << "unexpected colour dialog";
    return false;
  }
  return OnChooseColor(parent, color);
}

bool TTestDialogs::ChooseFont(QWidget* parent, TFontDesc& font) {
  if (!OnChooseFont) {
    ADD_FAILURE() << "unexpected font dialog";
    return false;
  }
  return OnChooseFont(parent, font);
}

void TTestDialogs::ShowError(QWidget*, const QString& text) {
  Errors << text;
  if (Strict) ADD_FAILURE() << "error box: " << text.toStdString();
}

void TTestDialogs::ShowAbout(QWidget*, const QString& text) {
  Abouts << text;
  if (Strict) ADD_FAILURE() << "About box: " << text.toStdString();
}

TTestDialogs& DefaultTestDialogs() {
  static TTestDialogs dialogs = [] {
    TTestDialogs d;
    d.Strict = true;
    return d;
  }();
  return dialogs;
}

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

void WriteCatalogue(const QString& path, const std::string& utf8Text) {
  WriteBytes(Native(path), CrLf(utf8Text));
}

QByteArray ReadBytes(const QString& path) {
  const std::string bytes = ReadBytes(Native(path));
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

const char* SampleCatalogue() {
  return "[Languages]\n"
         "English=ENU\n"
         "Русский=RUS\n"
         "Deutsch=DEU\n"
         "\n"
         "[PreInstallDlg]\n"
         "Лицензия=License\n"
         "Сведения=ReadMe\n"
         "\n"
         "[PostInstallDlg]\n"
         "Ярлыки=Shortcuts\n"
         "Завершение=Finished\n";
}

std::optional<std::string> TAppFixture::CatalogueText() const {
  return std::string(SampleCatalogue());
}

void TAppFixture::SetUp() {
  ASSERT_TRUE(Dir.isValid());
  SetSystemDialogs(&Dialogs);
  CataloguePath = Dir.filePath(QStringLiteral("version.ini"));
  if (const std::optional<std::string> text = CatalogueText()) WriteCatalogue(CataloguePath, *text);
  BeforeWindows();
  Windows = CreateApplicationWindows(Native(CataloguePath));
  Main().show();
  QApplication::setActiveWindow(&Main());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
}

void TAppFixture::TearDown() {
  Windows = TApplicationWindows();
  SetSystemDialogs(&DefaultTestDialogs());
  EXPECT_TRUE(Dialogs.Errors.isEmpty())
      << "unexpected error box: " << Dialogs.Errors.join(" | ").toStdString();
}

QStringList TAppFixture::TakeErrors() { return std::exchange(Dialogs.Errors, {}); }

QString TAppFixture::OpenError(const QString& path) {
  return QStringLiteral("Cannot open file ") + path + QStringLiteral(".");
}

void TAppFixture::Click(QWidget* widget, std::optional<QPoint> at) {
  QWidget* window = widget->window();
  const QPoint inWindow = widget->mapTo(window, at.value_or(widget->rect().center()));
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow);
}
