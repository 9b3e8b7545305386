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
  EXPECT_EQ(Cp1251ToUtf8WithReplacementChar(cp1251), utf8);
  EXPECT_EQ(Cp1251ToUtf8WithReplacementChar(std::string("a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(Utf8ToCp1251(""), "");
}

TEST(Cp1251, EveryDefinedByteSurvivesARoundTrip) {
  for (int byte = 0; byte < 256; ++byte) {
    if (byte == 0x98) continue;
    const std::string one(1, static_cast<char>(byte));
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8WithReplacementChar(one)), one) << "byte " << byte;
  }
}

TEST(Cp1251, UndefinedByteDecodesAsReplacementMark) {
  EXPECT_EQ(Cp1251ToUtf8WithReplacementChar("a\x98\x98\xC0"),
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

#ifndef _WIN32
#include <iconv.h>

#include <optional>
#include <random>

#include "inifile/utf8text_p.h"

namespace {

// The C library's converter, the reference the tables must agree with.
class TIconv {
 public:
  TIconv(const char* to, const char* from) : Cd_(iconv_open(to, from)) {}
  ~TIconv() { iconv_close(Cd_); }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;
  // The converted text, or nothing when iconv refuses any of it.
  std::optional<std::string> Convert(std::string text) {
    iconv(Cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out(text.size() * 4 + 4, '\0');
    char* in = text.data();
    char* to = out.data();
    size_t inLeft = text.size(), outLeft = out.size();
    if (iconv(Cd_, &in, &inLeft, &to, &outLeft) == static_cast<size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
  }

 private:
  iconv_t Cd_;
};

// The length of the sequence that the lead byte at text[at] announces when its
// continuation bytes are all there, else 1.
size_t AnnouncedLength(const std::string& text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const size_t announced = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
  if (lead > 0xF4 || at + announced > text.size()) return 1;
  for (size_t i = 1; i < announced; ++i)
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
  return announced;
}

// The lenient conversion as the C library defines it: where it stops, one "?"
// stands for the announced sequence.
std::string LenientReference(TIconv& encode, const std::string& text) {
  std::string expected;
  for (size_t at = 0; at < text.size();) {
    size_t length = 1;  // the longest prefix the C library converts whole
    for (size_t n = std::min<size_t>(4, text.size() - at); n > 1 && length == 1; --n)
      if (encode.Convert(text.substr(at, n))) length = n;
    if (const auto converted = encode.Convert(text.substr(at, length))) {
      expected += *converted;
    } else {
      length = AnnouncedLength(text, at);
      expected += '?';
    }
    at += length;
  }
  return expected;
}

}  // namespace

TEST(Cp1251, TablesAgreeWithTheCLibrary) {
  TIconv decode("UTF-8", "CP1251"), encode("CP1251", "UTF-8");
  for (int byte = 0; byte < 256; ++byte) {
    const std::string one(1, static_cast<char>(byte));
    EXPECT_EQ(Cp1251ToUtf8WithReplacementChar(one), decode.Convert(one).value_or("\xEF\xBF\xBD"))
        << byte;
  }
  for (char32_t cp = 0; cp < 0x30000; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const std::string utf8 = EncodeUtf8(cp);
    EXPECT_EQ(Cp1251CanHold(cp), encode.Convert(utf8).has_value()) << static_cast<uint32_t>(cp);
  }
}

TEST(Cp1251, LenientConversionAgreesWithTheCLibrary) {
  TIconv encode("CP1251", "UTF-8");
  std::mt19937 random(7);
  const std::string pieces[] = {
      "a",        "\xD0\x96",     "\xE2\x82\xAC", "\xE2\x98\xBA", "\xF0\x9F\x98\x80",
      "\xC0\xAF", "\xED\xA0\x80", "\xE0\x80\x80", "\xD0",         "\xFF"};
  std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
  for (int trial = 0; trial < 2000; ++trial) {
    std::string text;
    for (int i = 0; i < 6; ++i) text += pieces[pick(random)];
    EXPECT_EQ(Utf8ToWindows1251(text), LenientReference(encode, text))
        << testing::PrintToString(text);
  }
}

#endif
