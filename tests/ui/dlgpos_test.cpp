// The dialog position dialog opened from the mock dialog's welcome text.
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "dialog_fixture.h"
#include "ui/dialogs/dlgpos.h"
#include "ui/widgets/radiogroup.h"

namespace {

class PositionTest : public DialogTest {
 protected:
  TPosForm* Form() { return Windows.PosForm; }
  TRadioGroup* Goriz() { return Find<TRadioGroup>(Form(), "Goriz"); }
  TRadioGroup* Vert() { return Find<TRadioGroup>(Form(), "Vert"); }
  QWidget* Demo() { return Find<QWidget>(Form(), "Demo"); }
  TPictureBox* Image1() { return Find<TPictureBox>(Form(), "Image1"); }

  void OpenFromWelcomeText(std::function<void(QDialog&)> act) {
    ModalActions.push_back([this, act = std::move(act)](QDialog& dialog) {
      EXPECT_EQ(&dialog, Form()) << "another dialog opened";
      act(dialog);
    });
    Click(MockUp<QWidget>("Label1"), QPoint(60, 40));
    EXPECT_TRUE(ModalActions.empty()) << "the dialog did not open";
  }
};

TEST_F(PositionTest, TitleSizeItemsAndStartState) {
  EXPECT_EQ(Form()->objectName(), "PosForm");
  EXPECT_EQ(Form()->size(), QSize(334, 243));
  EXPECT_EQ(Form()->windowTitle(), "Позиция диалога");
  EXPECT_EQ(Image1()->mapTo(Find<QWidget>(Form(), "Panel1"), QPoint(0, 0)), QPoint(2, 2));
  EXPECT_EQ(Demo()->parentWidget(), Image1()->parentWidget());
  EXPECT_FALSE(Find<QLabel>(Form(), "Panel3")->font().bold());
  const QStringList vertical{"Верх", "Центр", "Низ"};
  const QStringList horizontal{"Слева", "Ценр", "Справа"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Vert()->Button(i)->text(), vertical[i]);
    EXPECT_EQ(Goriz()->Button(i)->text(), horizontal[i]);
  }
  // One column of three, and three columns in one row.
  EXPECT_EQ(Vert()->Button(0)->x(), Vert()->Button(2)->x());
  EXPECT_LT(Vert()->Button(0)->y(), Vert()->Button(1)->y());
  EXPECT_EQ(Goriz()->Button(0)->y(), Goriz()->Button(2)->y());
  EXPECT_LT(Goriz()->Button(1)->x(), Goriz()->Button(2)->x());
  EXPECT_EQ(Vert()->ItemIndex(), 1);
  EXPECT_EQ(Goriz()->ItemIndex(), 1);
  EXPECT_EQ(Form()->findChildren<QPushButton*>().size(), 1) << "no cancel button";
}

// The groups' captions sit on the etched frame line, as the items' places assume.
TEST_F(PositionTest, RadioGroupCaptionsSitOnTheFrameLine) {
  for (TRadioGroup* group : {Vert(), Goriz()}) {
    const QImage image = group->grab().toImage();
    const int line = QFontMetrics(group->font()).height() / 2;
    const QRgb dark = group->palette().color(QPalette::Dark).rgb();
    EXPECT_EQ(image.pixel(3, line), dark) << group->objectName().toStdString();
    EXPECT_EQ(image.pixel(0, group->height() - 4), dark) << group->objectName().toStdString();
    EXPECT_NE(image.pixel(0, line - 2), dark) << "nothing above the frame line";
  }
}

// An item checked by a program is chosen like a clicked one; the handlers keep
// their names and can be run directly.
TEST_F(PositionTest, CheckedItemsAreChosenAndHandlersRunByName) {
  Goriz()->Button(0)->setChecked(true);
  Vert()->Button(2)->setChecked(true);
  EXPECT_EQ(Goriz()->ItemIndex(), 0);
  EXPECT_EQ(Project().DialogPosition.Horizontal, 0);
  EXPECT_EQ(Project().DialogPosition.Vertical, 2);
  EXPECT_EQ(Demo()->pos(), QPoint(0, 120));

  Project().DialogPosition = TDialogPosition{2, 0};
  Goriz()->SetItemIndex(2);
  Vert()->SetItemIndex(0);
  Form()->GorizClick();
  Form()->VertClick();
  EXPECT_EQ(Demo()->pos(), QPoint(160, 0));
  Project().BackgroundEnabled = false;
  Form()->FormShow();
  EXPECT_EQ(Image1()->Picture().pixelColor(3, 3), DesktopBitmap().pixelColor(3, 3));
}

TEST_F(PositionTest, RightAndBottomMoveTheMiniatureAndReachTheFile) {
  OpenFromWelcomeText([&](QDialog&) {
    EXPECT_EQ(Demo()->pos(), QPoint(80, 60));
    Click(Goriz()->Button(2));
    EXPECT_EQ(Demo()->pos(), QPoint(160, 60));
    EXPECT_EQ(Project().DialogPosition.Horizontal, 2) << "taken at once";
    Click(Vert()->Button(2));
    EXPECT_EQ(Demo()->pos(), QPoint(160, 120));
    Click(Find<QPushButton>(Form(), "BitBtn1"));
  });
  EXPECT_EQ(Project().DialogPosition.Horizontal, 2);
  EXPECT_EQ(Project().DialogPosition.Vertical, 2);
  EXPECT_EQ(ValueOf(SaveAndRead(), "DialogPosition"), "2,2");

  // Closing with Esc keeps the choice too, and "New" leaves it alone.
  OpenFromWelcomeText([&](QDialog&) {
    EXPECT_TRUE(Goriz()->Button(2)->isChecked());
    EXPECT_EQ(Demo()->pos(), QPoint(160, 120));
    Click(Goriz()->Button(0));
    Click(Vert()->Button(0));
    EXPECT_EQ(Demo()->pos(), QPoint(0, 0));
    QTest::keyClick(Form(), Qt::Key_Escape);
  });
  Main().NewClick(true);
  EXPECT_EQ(Project().DialogPosition.Horizontal, 0);
  EXPECT_EQ(Project().DialogPosition.Vertical, 0);
  EXPECT_EQ(ValueOf(SaveAndRead(), "DialogPosition"), "0,0");
}

TEST_F(PositionTest, MiniatureScreenFollowsTheBackground) {
  OpenFromWelcomeText([&](QDialog&) {
    EXPECT_EQ(Image1()->Picture().pixelColor(5, 0), ToQColor(0x00FF0000u));
    EXPECT_EQ(Image1()->Picture().pixelColor(5, 175), ToQColor(0));
  });
  Project().BackgroundEnabled = false;
  OpenFromWelcomeText([&](QDialog&) {
    const QImage& desktop = DesktopBitmap();
    for (QPoint p : {QPoint(0, 0), QPoint(30, 40), QPoint(235, 175), QPoint(120, 10)})
      EXPECT_EQ(Image1()->Picture().pixelColor(p), desktop.pixelColor(p));
  });
}

}  // namespace
