#include <gtest/gtest.h>

#include "inifile/inifile.h"

namespace {

TEST(LetterCase, FoldsLatinAndWindows1251CyrillicOnly) {
  EXPECT_TRUE(SameText("Config", "cONFIG"));
  EXPECT_TRUE(SameText("\xC0\xDF", "\xE0\xFF"));  // "АЯ" and "ая"
  // Ё/ё, Ґ/ґ, Є/є, І/і, Ї/ї, Ў/ў, Ђ/ђ, Ѓ/ѓ, Ј/ј, Ѕ/ѕ
  EXPECT_TRUE(SameText("\xA8\xA5\xAA\xB2\xAF\xA1\x80\x81\xA3\xBD",
                       "\xB8\xB4\xBA\xB3\xBF\xA2\x90\x83\xBC\xBE"));
  int folded = 0;
  for (int c = 0; c < 256; ++c)
    if (FoldCase(static_cast<unsigned char>(c)) != c) ++folded;
  EXPECT_EQ(folded, 26 + 32 + 15);
  EXPECT_FALSE(SameText("a", "\xE0"));     // Latin a is not Cyrillic а
  EXPECT_FALSE(SameText("\xA8", "\xC5"));  // Ё is not Е
  EXPECT_FALSE(SameText("ab", "abc"));
}

TEST(LetterCase, CompareTextOrdersLikeStrcmpAfterFolding) {
  EXPECT_EQ(CompareText("ABC", "abc"), 0);
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
  EXPECT_LT(CompareText("ab", "ABC"), 0);
  EXPECT_LT(CompareText("", "a"), 0);
  EXPECT_GT(CompareText("\xFF", "z"), 0);     // bytes compare unsigned
  EXPECT_GT(CompareText("\xDF", "\xE0"), 0);  // Я after а once folded
}

}  // namespace
