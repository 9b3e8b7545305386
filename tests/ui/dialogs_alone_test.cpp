// Each editing dialog built on its own with a project, without the main window:
// OK hands the edits to the project, Cancel leaves it as it was.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <tuple>

#include "app_fixture.h"
#include "ui/dialogs/LabelStyle.h"
#include "ui/dialogs/backcolor.h"
#include "ui/dialogs/dlgpos.h"
#include "ui/widgets/radiogroup.h"
#include "ui/widgets/render.h"

namespace {

class DialogAlone : public ::testing::Test {
 protected:
  void SetUp() override { SetSystemDialogs(&Dialogs); }
  void TearDown() override { SetSystemDialogs(&DefaultTestDialogs()); }

  template <typename T>
  static T* Child(QWidget* dialog, const char* name) {
    T* child = dialog->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  // A click as the user makes it: on a check box or radio button at its box.
  static void Click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    const bool box = qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier,
                      box ? QPoint(7, widget->height() / 2) : widget->rect().center());
  }

  // The colour dialog answers every question with this colour.
  void AnswerColor(TColor answer) {
    Dialogs.OnChooseColor = [answer](QWidget*, TColor& color) {
      color = answer;
      return true;
    };
  }

  TTestDialogs Dialogs;
  TProject Project;
};

// What the label style dialog may change, main title and dialog title apart.
auto MainTitle(const TProject& p) {
  return std::make_tuple(p.ProgramNameText, p.MainTitleCaption, p.TitleShadow, p.TitleShadowColor,
                         p.TitleFont.Name, p.TitleFont.Size);
}
auto DialogTitle(const TProject& p) {
  return std::make_tuple(p.DialogTitleCaption, p.DialogShadow, p.DialogShadowColor,
                         p.DialogFont.Name, p.DialogFont.Size);
}
auto Background(const TProject& p) {
  return std::make_tuple(p.TopColor, p.BottomColor, p.BackgroundEnabled);
}

using StyleDlgAlone = DialogAlone;

TEST_F(StyleDlgAlone, OkHandsTheMainTitleToTheProjectAndLeavesTheDialogTitle) {
  const auto dialogTitle = DialogTitle(Project);
  TStyleDlg dialog;
  Dialogs.OnModal = [](QDialog& shown) {
    auto* name = Child<QLineEdit>(&shown, "ProgName");
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Setup 2"));
    Click(Child<QCheckBox>(&shown, "UseShadow"));
    Click(Child<QPushButton>(&shown, "BitBtn1"));
  };
  ASSERT_TRUE(dialog.EditMainTitle(Project));
  EXPECT_EQ(Project.ProgramNameText, "Setup 2");
  EXPECT_EQ(Project.MainTitleCaption, "Setup 2");
  EXPECT_FALSE(Project.TitleShadow);
  EXPECT_EQ(DialogTitle(Project), dialogTitle);
  EXPECT_EQ(Dialogs.Modals, QStringList{"StyleDlg"});
}

TEST_F(StyleDlgAlone, CancelLeavesTheProjectAsItWas) {
  const TProject before = Project;
  TStyleDlg dialog;
  AnswerColor(0x000000FFu);
  Dialogs.OnModal = [](QDialog& shown) {
    QTest::keyClicks(Child<QLineEdit>(&shown, "ProgName"), QStringLiteral("xyz"));
    Click(Child<QCheckBox>(&shown, "ShowIt"));
    Click(Child<QToolButton>(&shown, "ShadowColor"));
    Click(Child<QPushButton>(&shown, "BitBtn2"));
  };
  EXPECT_FALSE(dialog.EditMainTitle(Project));
  EXPECT_EQ(MainTitle(Project), MainTitle(before));
  EXPECT_FALSE(dialog.EditDialogTitle(Project));
  EXPECT_EQ(DialogTitle(Project), DialogTitle(before));
}

TEST_F(StyleDlgAlone, OkOnTheDialogTitleHidesItAndKeepsTheProductName) {
  const auto mainTitle = MainTitle(Project);
  TStyleDlg dialog;
  Dialogs.OnModal = [](QDialog& shown) {
    EXPECT_FALSE(Child<QLineEdit>(&shown, "ProgName")->isEnabled());
    Click(Child<QCheckBox>(&shown, "ShowIt"));
    Click(Child<QPushButton>(&shown, "BitBtn1"));
  };
  ASSERT_TRUE(dialog.EditDialogTitle(Project));
  EXPECT_TRUE(Project.DialogTitleCaption.empty());
  EXPECT_EQ(MainTitle(Project), mainTitle);
}

using ColorFormAlone = DialogAlone;

TEST_F(ColorFormAlone, OkHandsTheColoursAndTheSwitchToTheProject) {
  TColorForm dialog;
  AnswerColor(0x000000FFu);
  Dialogs.OnModal = [](QDialog& shown) {
    Click(Child<QToolButton>(&shown, "TColor"));
    Click(Child<QCheckBox>(&shown, "EnableBackground"));
    Click(Child<QPushButton>(&shown, "BitBtn2"));
  };
  ASSERT_TRUE(dialog.EditBackground(Project));
  EXPECT_EQ(Background(Project), std::make_tuple(0x000000FFu, 0u, false));
}

TEST_F(ColorFormAlone, CancelLeavesTheProjectAndTheNextOpeningShowsItsColours) {
  const auto before = Background(Project);
  TColorForm dialog;
  AnswerColor(0x0000FF00u);
  Dialogs.OnModal = [](QDialog& shown) {
    Click(Child<QToolButton>(&shown, "BColor"));
    Click(Child<QCheckBox>(&shown, "EnableBackground"));
    Click(Child<QPushButton>(&shown, "BitBtn1"));
  };
  EXPECT_FALSE(dialog.EditBackground(Project));
  EXPECT_EQ(Background(Project), before);

  Dialogs.OnModal = [&](QDialog&) {
    EXPECT_EQ(dialog.TopColor(), Project.TopColor);
    EXPECT_EQ(dialog.BottomColor(), Project.BottomColor);
  };
  EXPECT_FALSE(dialog.EditBackground(Project));
}

using PosFormAlone = DialogAlone;

// The position dialog has no cancel: every choice is taken at once.
TEST_F(PosFormAlone, ChoicesReachTheBoundProjectAtOnceHoweverTheDialogCloses) {
  Project.BackgroundEnabled = false;
  TPosForm dialog(Project);
  Dialogs.OnModal = [](QDialog& shown) {
    auto* image = Child<TPictureBox>(&shown, "Image1");
    EXPECT_EQ(image->Picture().pixelColor(3, 3), DesktopBitmap().pixelColor(3, 3));
    Click(Child<TRadioGroup>(&shown, "Goriz")->Button(2));
    Click(Child<TRadioGroup>(&shown, "Vert")->Button(2));
    QTest::keyClick(&shown, Qt::Key_Escape);
  };
  dialog.EditPosition();
  EXPECT_EQ(Project.DialogPosition.Horizontal, 2);
  EXPECT_EQ(Project.DialogPosition.Vertical, 2);
  EXPECT_EQ(Child<QWidget>(&dialog, "Demo")->pos(), QPoint(160, 120));
}

}  // namespace
