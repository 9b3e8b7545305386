// The Windows-1251 guard of text fields: characters that the file cannot hold are
// refused as they are typed or pasted, with a hint naming them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include "keytyping.h"
#include "ui/widgets/cp1251input.h"

namespace {

class Cp1251Input : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallCp1251Guard(&Edit);
    Edit.show();
    QApplication::setActiveWindow(&Edit);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Edit));
    Edit.setFocus();
  }
  QLineEdit Edit;
};

}  // namespace

TEST(Cp1251Text, FindsTheFirstCharacterOutsideTheCodePage) {
  EXPECT_FALSE(FirstNonCp1251(QStringLiteral("Программа 1.0 — «€» №")).has_value());
  EXPECT_EQ(FirstNonCp1251(QStringLiteral("ab中c✓")), std::optional<char32_t>(U'中'));
  // A character beyond the basic plane comes as a surrogate pair and is named whole.
  EXPECT_EQ(FirstNonCp1251(QString::fromUcs4(U"x\U0001F600")),
            std::optional<char32_t>(U'\U0001F600'));
  const QString hint = Cp1251HintText(U'中');
  EXPECT_TRUE(hint.contains(QStringLiteral("«中»"))) << hint.toStdString();
  EXPECT_TRUE(hint.contains(QStringLiteral("U+4E2D"))) << hint.toStdString();
  EXPECT_TRUE(hint.contains(QStringLiteral("Windows-1251")));
}

TEST_F(Cp1251Input, TypedCharacterOutsideTheCodePageIsRefusedWithAHint) {
  TypeKeys(&Edit, QStringLiteral("Жук€"));
  EXPECT_EQ(Edit.text(), QStringLiteral("Жук€"));
  EXPECT_FALSE(QToolTip::isVisible());

  TypeKeys(&Edit, QStringLiteral("✓"));
  EXPECT_EQ(Edit.text(), QStringLiteral("Жук€"));
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("«✓»"))) << QToolTip::text().toStdString();

  QTest::keyClicks(&Edit, QStringLiteral("a"));
  EXPECT_EQ(Edit.text(), QStringLiteral("Жук€a"));
}

TEST_F(Cp1251Input, PastedTextWithACharacterOutsideTheCodePageIsRefused) {
  QApplication::clipboard()->setText(QStringLiteral("ok 中"));
  Edit.setText(QStringLiteral("start"));
  Edit.paste();
  EXPECT_EQ(Edit.text(), QStringLiteral("start"));
  EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("中")));

  QApplication::clipboard()->setText(QStringLiteral(" и дальше"));
  Edit.paste();
  EXPECT_EQ(Edit.text(), QStringLiteral("start и дальше"));
}
