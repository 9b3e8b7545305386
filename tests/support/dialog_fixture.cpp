#include "dialog_fixture.h"

namespace {

// Takes the next answer: a value sets the dialog's choice and confirms it, nullopt
// or no answer left cancels.
template <typename T>
bool TakeAnswer(std::deque<std::optional<T>>& answers, T& value) {
  if (answers.empty()) return false;
  const std::optional<T> answer = answers.front();
  answers.pop_front();
  if (answer) value = *answer;
  return answer.has_value();
}

}  // namespace

void DialogTest::SetUp() {
  TAppFixture::SetUp();
  Dialogs.OnModal = [this](QDialog& dialog) {
    if (ModalActions.empty()) {
      ADD_FAILURE() << "no answer planned for the dialog " << dialog.objectName().toStdString();
      return;
    }
    auto action = std::move(ModalActions.front());
    ModalActions.pop_front();
    action(dialog);
  };
  Dialogs.OnChooseColor = [this](QWidget*, TColor& color) {
    ColorStarts.push_back(color);
    return TakeAnswer(ColorAnswers, color);
  };
  Dialogs.OnChooseFont = [this](QWidget* parent, TFontDesc& font) {
    // The program's own font dialog, run through the modal seam.
    if (RealFontDialog) return Dialogs.TSystemDialogs::ChooseFont(parent, font);
    FontStarts.push_back(font);
    return TakeAnswer(FontAnswers, font);
  };
}

void DialogTest::Click(QWidget* widget, std::optional<QPoint> at) {
  ASSERT_NE(widget, nullptr);
  if (!at && (qobject_cast<QCheckBox*>(widget) || widget->inherits("QRadioButton")))
    at = QPoint(7, widget->height() / 2);
  TAppFixture::Click(widget, at);
}

void DialogTest::Type(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &release);
  }
}

std::vector<std::string> DialogTest::SaveAndRead() {
  const QString path = Dir.filePath(QStringLiteral("vuka.ini"));
  Dialogs.OnFileDialog = [path](QFileDialog& dialog) {
    dialog.selectFile(path);
    return true;
  };
  // An existing file that is not the project's is asked about first: "Да".
  if (QFile::exists(path) && Main().Project().Origin.FileName != Native(path)) {
    ModalActions.push_front(
        [](QDialog& box) { Click(qobject_cast<QMessageBox*>(&box)->button(QMessageBox::Yes)); });
  }
  Main().SaveClick();
  std::vector<std::string> lines;
  for (const QByteArray& line : ReadBytes(path).split('\n'))
    lines.push_back(line.trimmed().toStdString());
  return lines;
}

bool DialogTest::HasLine(const std::vector<std::string>& lines, const std::string& line) {
  for (const std::string& each : lines)
    if (each == line) return true;
  return false;
}

std::string DialogTest::ValueOf(const std::vector<std::string>& lines, const std::string& key) {
  for (const std::string& each : lines)
    if (each.rfind(key + "=", 0) == 0) return each.substr(key.size() + 1);
  return "<missing>";
}
