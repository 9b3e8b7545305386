// The background dialog opened from the mock-up's background.
#include <QPushButton>
#include <QToolButton>

#include "dialog_fixture.h"
#include "ui/dialogs/backcolor.h"
#include "ui/widgets/dialogparts.h"

namespace {

constexpr TColor kBlue = 0x00FF0000u;
constexpr TColor kRed = 0x000000FFu;
constexpr TColor kGreen = 0x0000FF00u;

QColor Rgb(TColor color) { return ToQColor(color); }

class BackgroundTest : public DialogTest {
 protected:
  TColorForm* Form() { return Windows.ColorForm; }
  TPictureBox* Back() { return Find<TPictureBox>(Form(), "Back"); }
  QCheckBox* Enable() { return Find<QCheckBox>(Form(), "EnableBackground"); }
  QWidget* TopButton() { return Find<QToolButton>(Form(), "TColor"); }
  QWidget* BottomButton() { return Find<QToolButton>(Form(), "BColor"); }
  QWidget* Ok() { return Find<QPushButton>(Form(), "BitBtn2"); }
  QWidget* Cancel() { return Find<QPushButton>(Form(), "BitBtn1"); }

  // A click on the background below the main title and left of the mock dialog.
  void OpenFromBackground(std::function<void(QDialog&)> act) {
    ModalActions.push_back([this, act = std::move(act)](QDialog& dialog) {
      EXPECT_EQ(&dialog, Form()) << "another dialog opened";
      act(dialog);
    });
    Click(MockUp<TPictureBox>("Background"), QPoint(40, 200));
    EXPECT_TRUE(ModalActions.empty()) << "the dialog did not open";
  }
  static bool ShowsDesktop(TPictureBox* box) {
    const QImage& shown = box->Picture();
    const QImage& desktop = DesktopBitmap();
    for (int y = 0; y < box->height(); y += 7)
      for (int x = 0; x < box->width(); x += 7)
        if (shown.pixelColor(x, y) != desktop.pixelColor(x, y)) return false;
    return true;
  }
};

TEST_F(BackgroundTest, TitleSizeAndStartState) {
  EXPECT_EQ(Form()->objectName(), "ColorForm");
  EXPECT_EQ(Form()->size(), QSize(342, 123));
  EXPECT_EQ(Form()->windowTitle(), "Выбор цветов для градиентного заполнения");
  // The picture fills the panel inside its border.
  QWidget* preview = Find<QWidget>(Form(), "Preview");
  EXPECT_EQ(QRect(Back()->mapTo(preview, QPoint(0, 0)), Back()->size()), QRect(2, 2, 117, 109));
  EXPECT_TRUE(Enable()->isChecked());
}

// The separator runs under the check box, which covers it; only its part right
// of the box shows.
TEST_F(BackgroundTest, CheckBoxCoversTheSeparator) {
  const QImage image = Form()->grab().toImage();
  const QRgb dark = Form()->palette().color(QPalette::Dark).rgb();
  EXPECT_EQ(image.pixel(180, 74), dark);
  for (int x = 9; x < 145; ++x) ASSERT_NE(image.pixel(x, 74), dark) << x;
}

// The handlers keep their names and can be run directly.
TEST_F(BackgroundTest, HandlersRunByName) {
  Enable()->setChecked(false);
  Form()->EnableBackgroundClick();
  EXPECT_TRUE(ShowsDesktop(Back()));
  Enable()->setChecked(true);
  ColorAnswers.push_back(kRed);
  ColorAnswers.push_back(kGreen);
  Form()->TColorClick();
  Form()->BColorClick();
  EXPECT_EQ(Back()->Picture().pixelColor(10, 0), Rgb(kRed));
  EXPECT_EQ(Back()->Picture().pixelColor(10, 108), Rgb(kGreen));
}

TEST_F(BackgroundTest, OpensWithTheGradientAndCancelKeepsTheProject) {
  const QImage before = MockUp<TPictureBox>("Background")->Picture();
  OpenFromBackground([&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Выбор цветов для градиентного заполнения");
    EXPECT_TRUE(Enable()->isChecked());
    EXPECT_EQ(Back()->Picture().pixelColor(10, 0), Rgb(kBlue));
    EXPECT_EQ(Back()->Picture().pixelColor(10, 108), Rgb(0));
    ColorAnswers.push_back(kRed);
    Click(TopButton());
    EXPECT_EQ(Form()->TopColor(), kRed);
    EXPECT_EQ(Back()->Picture().pixelColor(10, 0), Rgb(kRed));
    Click(Cancel());
  });
  ASSERT_EQ(ColorStarts.size(), 1u);
  EXPECT_EQ(ColorStarts[0], kBlue);
  EXPECT_EQ(Project().TopColor, kBlue);
  EXPECT_EQ(MockUp<TPictureBox>("Background")->Picture(), before)
      << "the mock-up keeps its colours";

  // The next opening shows the project's colours again.
  OpenFromBackground([&](QDialog&) {
    EXPECT_EQ(Form()->TopColor(), kBlue);
    EXPECT_EQ(Back()->Picture().pixelColor(10, 0), Rgb(kBlue));
    // A cancelled colour dialog changes nothing either.
    ColorAnswers.push_back(std::nullopt);
    Click(BottomButton());
    EXPECT_EQ(Form()->BottomColor(), 0u);
    QTest::keyClick(Form(), Qt::Key_Escape);
  });
  EXPECT_EQ(Project().BottomColor, 0u);
}

// Enter answers the focused button: on "Отмена" it cancels.
TEST_F(BackgroundTest, EnterOnTheFocusedCancelButtonCancels) {
  OpenFromBackground([&](QDialog& dialog) {
    Click(Enable());
    Cancel()->setFocus();
    QTest::keyClick(Cancel(), Qt::Key_Enter);
    EXPECT_FALSE(dialog.isVisible());
  });
  EXPECT_TRUE(Project().BackgroundEnabled);
  EXPECT_TRUE(MockUp<TShadowLabel>("ProgramName")->isVisible());
}

TEST_F(BackgroundTest, SwitchingTheBackgroundOffShowsTheDesktopAndHidesTheMainTitle) {
  OpenFromBackground([&](QDialog&) {
    Click(Enable());
    EXPECT_FALSE(Enable()->isChecked());
    EXPECT_TRUE(ShowsDesktop(Back()));
    // Colours can still be chosen; the preview stays on the desktop picture.
    ColorAnswers.push_back(kGreen);
    Click(BottomButton());
    EXPECT_TRUE(TopButton()->isEnabled());
    EXPECT_TRUE(ShowsDesktop(Back()));
    Click(Ok());
  });
  EXPECT_FALSE(Project().BackgroundEnabled);
  EXPECT_EQ(Project().BottomColor, kGreen);
  EXPECT_TRUE(ShowsDesktop(MockUp<TPictureBox>("Background")));
  EXPECT_FALSE(MockUp<TShadowLabel>("ProgramName")->isVisible());
  EXPECT_FALSE(Main().MainTitleVisible());
  EXPECT_TRUE(MockUp<QWidget>("Dialog")->isVisible());

  auto lines = SaveAndRead();
  EXPECT_EQ(ValueOf(lines, "ShowMainWindow"), "0");
  EXPECT_EQ(ValueOf(lines, "GradientTopColor"), "$FF0000");
  EXPECT_EQ(ValueOf(lines, "GradientBottomColor"), "$00FF00");

  // With the title hidden, a click in its strip reaches the background.
  ModalActions.push_back([&](QDialog& dialog) {
    EXPECT_EQ(&dialog, Form());
    EXPECT_FALSE(Enable()->isChecked());
    EXPECT_TRUE(ShowsDesktop(Back()));
    // Ticking it again shows the gradient in the new colours.
    Click(Enable());
    EXPECT_EQ(Back()->Picture().pixelColor(10, 0), Rgb(kBlue));
    EXPECT_EQ(Back()->Picture().pixelColor(10, 108), Rgb(kGreen));
    Click(Ok());
  });
  Click(MockUp<TPictureBox>("Background"), QPoint(300, 20));
  EXPECT_TRUE(ModalActions.empty());
  EXPECT_TRUE(Project().BackgroundEnabled);
  EXPECT_TRUE(MockUp<TShadowLabel>("ProgramName")->isVisible());
  EXPECT_EQ(MockUp<TPictureBox>("Background")->Picture().pixelColor(10, 0), Rgb(kBlue));
  EXPECT_EQ(MockUp<TPictureBox>("Background")->Picture().pixelColor(10, 273), Rgb(kGreen));
  EXPECT_EQ(ValueOf(SaveAndRead(), "ShowMainWindow"), "1");
}

}  // namespace
