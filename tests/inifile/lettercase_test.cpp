#include <gtest/gtest.h>

#include "inifile/inifile.h"

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST(LetterCase, FoldsLatinAndEveryCyrillicPair) {
  EXPECT_TRUE(SameText("Config", "cONFIG"));
  // А-Я / а-я
  for (int c = 0xC0; c <= 0xDF; ++c)
    EXPECT_TRUE(SameText(Bytes({static_cast<unsigned char>(c)}),
                         Bytes({static_cast<unsigned char>(c + 0x20)})))
        << c;
  const unsigned char pairs[][2] = {{0xA8, 0xB8}, {0xA5, 0xB4}, {0xAA, 0xBA}, {0xB2, 0xB3},
                                    {0xAF, 0xBF}, {0xA1, 0xA2}, {0x80, 0x90}, {0x81, 0x83},
                                    {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E},
                                    {0x8F, 0x9F}, {0xA3, 0xBC}, {0xBD, 0xBE}};
  for (const auto& p : pairs) {
    EXPECT_TRUE(SameText(Bytes({p[0]}), Bytes({p[1]}))) << int(p[0]);
    EXPECT_EQ(FoldCase(p[0]), p[1]);
    EXPECT_EQ(FoldCase(p[1]), p[1]);
  }
  // "Ёлка" and "ёЛКА"
  EXPECT_TRUE(SameText(Bytes({0xA8, 0xEB, 0xEA, 0xE0}), Bytes({0xB8, 0xCB, 0xCA, 0xC0})));
}

TEST(LetterCase, OtherBytesCompareAsTheyAre) {
  int folded = 0;
  for (int c = 0; c < 256; ++c)
    if (FoldCase(static_cast<unsigned char>(c)) != c) ++folded;
  EXPECT_EQ(folded, 26 + 32 + 15);
  EXPECT_FALSE(SameText("a", "\xC0"));  // Latin a and Cyrillic А
  EXPECT_FALSE(SameText("\xB5", "\xB6"));
  EXPECT_FALSE(SameText("\xA8", "\xC5"));  // Ё is not Е
  EXPECT_FALSE(SameText("ab", "abc"));
}

TEST(LetterCase, CompareTextOrdersLikeStrcmpAfterFolding) {
  EXPECT_EQ(CompareText("ABC", "abc"), 0);
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
  EXPECT_LT(CompareText("ab", "ABC"), 0);
  EXPECT_GT(CompareText("abc", "AB"), 0);
  EXPECT_LT(CompareText("", "a"), 0);
  // Bytes above 127 compare unsigned: "я" after "z" and after "А".
  EXPECT_GT(CompareText("\xFF", "z"), 0);
  EXPECT_GT(CompareText("\xDF", "\xE0"), 0);  // Я > а once folded
}

}  // namespace
