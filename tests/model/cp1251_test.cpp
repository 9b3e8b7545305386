#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "model/model.h"

namespace {

std::string EncodeUtf8(char32_t cp) {
  std::string text;
  if (cp < 0x80) {
    text += static_cast<char>(cp);
  } else if (cp < 0x800) {
    text += static_cast<char>(0xC0 | (cp >> 6));
    text += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    text += static_cast<char>(0xE0 | (cp >> 12));
    text += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (cp >> 18));
    text += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return text;
}

std::string EncodingError(const std::string& utf8) {
  try {
    Utf8ToCp1251(utf8);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "no error";
}

}  // namespace

TEST(Cp1251, KnownTextsConvertBothWays) {
  const std::string cp1251 =
      "\xC4\xE5\xEC\xEE-\xEF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xE0 1.0 \xB9\x88\xAB\xBB";
  const std::string utf8 = "Демо-программа 1.0 №€«»";
  EXPECT_EQ(Utf8ToCp1251(utf8), cp1251);
  EXPECT_EQ(Cp1251ToUtf8(cp1251), utf8);
  EXPECT_EQ(Cp1251ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(Utf8ToCp1251(""), "");
}

TEST(Cp1251, EveryDefinedByteSurvivesARoundTrip) {
  for (int byte = 0; byte < 256; ++byte) {
    if (byte == 0x98) continue;
    const std::string one(1, static_cast<char>(byte));
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(one)), one) << "byte " << byte;
  }
}

TEST(Cp1251, UndefinedByteDecodesAsReplacementMark) {
  EXPECT_EQ(Cp1251ToUtf8("a\x98\x98\xC0"),
            "a\xEF\xBF\xBD\xEF\xBF\xBD"
            "А");
  EXPECT_EQ(EncodingError("\xEF\xBF\xBD"),
            "Символ «\xEF\xBF\xBD» (U+FFFD) нельзя записать в кодировке Windows-1251");
}

TEST(Cp1251, EncodingRefusesWhatWindows1251CannotHoldAndNamesIt) {
  EXPECT_EQ(EncodingError("Привет ☺ мир"),
            "Символ «☺» (U+263A) нельзя записать в кодировке Windows-1251");
  EXPECT_EQ(EncodingError("Café"), "Символ «é» (U+00E9) нельзя записать в кодировке Windows-1251");
  EXPECT_EQ(EncodingError("x😀"), "Символ «😀» (U+1F600) нельзя записать в кодировке Windows-1251");
  EXPECT_EQ(EncodingError("ab\xC0\xAF"),
            "Текст не в кодировке UTF-8: недопустимый байт 0xC0 в позиции 3");
  EXPECT_EQ(EncodingError("ab\xD0"),
            "Текст не в кодировке UTF-8: недопустимый байт 0xD0 в позиции 3");
}

TEST(Cp1251, CanHoldAgreesWithTheEncoder) {
  EXPECT_TRUE(Cp1251CanHold(U'A'));
  EXPECT_TRUE(Cp1251CanHold(U'Ж'));
  EXPECT_TRUE(Cp1251CanHold(U'€'));
  EXPECT_FALSE(Cp1251CanHold(U'☺'));
  EXPECT_FALSE(Cp1251CanHold(U'\uFFFD'));
  int held = 0;
  for (char32_t cp = 0; cp < 0x2200; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const bool encodes = EncodingError(EncodeUtf8(cp)) == "no error";
    EXPECT_EQ(Cp1251CanHold(cp), encodes) << "U+" << std::hex << static_cast<uint32_t>(cp);
    held += encodes ? 1 : 0;
  }
  EXPECT_EQ(held, 255);
}
