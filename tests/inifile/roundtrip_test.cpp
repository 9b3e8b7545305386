// What a rewrite makes of the text: every document reads back from the text
// it writes with the same sections, keys and values, and a write that could
// not read back is refused.
#include <gtest/gtest.h>

#include <random>

#include "document_content.h"
#include "inifile/inifile.h"
#include "inifile/lineforms_p.h"
#include "inifile/linesplitter_p.h"
#include "testfiles.h"

namespace {

std::string Parsed(std::string_view text) {
  TIniDocument doc("", false);
  doc.LoadText(text);
  return Content(doc);
}

// The normal form: a read-only document keeps no layout of what it loaded.
std::string Rewritten(std::string_view text) {
  TIniDocument doc("", true);
  doc.LoadText(text);
  return doc.Text();
}

// The loaded content, and the text written back, of one file each.
struct TLineForm {
  const char* Input;
  const char* Content;
  const char* Written;
};

const TLineForm kLineForms[] = {
    // A header is recognised on the trimmed line, up to its last "]".
    {"[Variables]\r\n[Note=see manual] \r\nInstallPath=C:\\Old\r\n",
     "[Note=see manual]|InstallPath=C:\\Old|", "[Note=see manual]\r\nInstallPath=C:\\Old\r\n\r\n"},
    {" [S2]\r\nx=1\r\n[S3] ; note\r\ny=2\r\n\t[ S8 ]\x1A\r\nz=3\r\n[S5]x]y\r\nw=4\r\n[x]=1\r\nv=5",
     "[S2]|x=1||[S3]|y=2||[S8]|z=3||[S5]x]|w=4||[x]|v=5|", nullptr},
    {"[S]\r\n[a=b\r\n[c=d] \r\ne=f", "[S]|[a=b||[c=d]|e=f|", nullptr},
    // Values that loading would change are written inside double quotes.
    {"[S]\r\nd=''e''\r\n", "[S]|d='e'|", "[S]\r\nd=\"'e'\"\r\n\r\n"},
    {"[S]\r\nk=' a '\r\nt=\"\tx\"\r\n", "[S]|k= a |t=\tx|",
     "[S]\r\nk=\" a \"\r\nt=\"\tx\"\r\n\r\n"},
    {"[S]\r\nk=\"x\x07\"\r\nb=\" \"", "[S]|k=x\x07|b= |", "[S]\r\nk=\"x\x07\"\r\nb=\" \"\r\n\r\n"},
    {"[S]\r\nk=\"\"\"\r\nq=''''\r\nr=\"a\"b\"\r\ns='\r\n", "[S]|k=\"|q=''|r=a\"b|s='|",
     "[S]\r\nk=\"\r\nq=\"''\"\r\nr=a\"b\r\ns='\r\n\r\n"},
    // Loading neither trims nor unquotes the value of an empty key; the setup does, so the
    // line is written back as it was. So is a value that starts with bytes only the setup trims.
    {"[S]\r\n  = \"x\" \r\n", "[S]|= \"x\"|", "[S]\r\n  = \"x\" \r\n\r\n"},
    {"[S]\r\nk=\x0B\"q\"\r\n", "[S]|k=\x0B\"q\"|", "[S]\r\nk=\x0B\"q\"\r\n\r\n"},
    {"[S]\r\n Key=1\r\n ;y=2\r\n\x0Bk\x0B=\x0Bv\r\n", "[S]| Key=1| ;y=2|\x0Bk\x0B=\x0Bv|", nullptr},
    // Control bytes that loading trims but the setup reads stay while the key is untouched.
    {"[A]\r\nk=x\x07\r\nj = \"y\"\x1F \r\n", "[A]|k=x|j=y|",
     "[A]\r\nk=x\x07\r\nj = \"y\"\x1F \r\n\r\n"},
    // Of equal stored lines only the first is read: a later one's file form is not its.
    {"[A]\r\nk=z\x1A\r\nk=z\x1B\r\nb='y'\r\nb='y'\x0F\r\n", "[A]|k=z|k=z|b=y|b=y|",
     "[A]\r\nk=z\r\nk=z\r\nb=y\r\nb=y\r\n\r\n"},
    // A LF ends a line unless it follows a CR; a UTF-8 byte-order mark is skipped.
    {"[S]\na=1\nb=2\n", "[S]|a=1|b=2|", "[S]\r\na=1\r\nb=2\r\n\r\n"},
    {"[S]\ra=1\n\rb=2\r\n\nc=3\n\r\n", "[S]|a=1|b=2|c=3|", nullptr},
    {"\xEF\xBB\xBF[A]\r\nk=1\r\n", "[A]|k=1|", "[A]\r\nk=1\r\n\r\n"},
    {"\xEF\xBB\xBF\xEF\xBB\xBF[A]\r\nk=1\r\n", "", ""},
    // After the mark the text is UTF-8 and reads as Windows-1251, "?" for what that lacks.
    {"\xEF\xBB\xBF[\xD0\x94\xD0\xB0]\r\n\xD0\xAF=\xE2\x82\xAC \xE2\x88\x9E\xC4x\r\n",
     "[\xC4\xE0]|\xDF=\x88 ??x|", "[\xC4\xE0]\r\n\xDF=\x88 ??x\r\n\r\n"},
};

TEST(RoundTrip, EachLineFormLoadsAndIsWrittenSoThatItReadsBackAlike) {
  for (const TLineForm& form : kLineForms) {
    SCOPED_TRACE(testing::PrintToString(std::string(form.Input)));
    EXPECT_EQ(Parsed(form.Input), form.Content);
    const std::string written = Rewritten(form.Input);
    if (form.Written != nullptr) {
      EXPECT_EQ(written, form.Written);
    }
    EXPECT_EQ(Parsed(written), form.Content);
    EXPECT_EQ(Rewritten(written), written);
  }
}

// Random texts over the bytes that matter to the line rules.
std::string RandomText(std::mt19937& random) {
  static const char alphabet[] = "[]=;'\" \t\r\n\x01\x07\x0B\x1A\x00ab";
  std::uniform_int_distribution<size_t> length(0, 48);
  std::uniform_int_distribution<size_t> pick(0, sizeof alphabet - 2);
  std::string text = "[S]\r\n";
  for (size_t n = length(random); n > 0; --n) text.push_back(alphabet[pick(random)]);
  return text;
}

TEST(RoundTrip, AnyTextReadsBackAlikeAfterARewrite) {
  std::mt19937 random(20261207);
  for (int i = 0; i < 20000; ++i) {
    const std::string input = RandomText(random);
    const std::string written = Rewritten(input);
    ASSERT_EQ(Parsed(written), Parsed(input)) << testing::PrintToString(input);
    ASSERT_EQ(Rewritten(written), written) << testing::PrintToString(input);
  }
}

TEST(RoundTrip, TheCheapTestMissesNoLineThatTheSetupReadsDifferently) {
  std::mt19937 random(11);
  int checked = 0;
  for (int i = 0; i < 20000; ++i) {
    const std::string text = RandomText(random);
    TLineSplitter splitter(std::string_view(text).substr(5));
    std::string_view line;
    if (!splitter.Next(line) || MayReadDifferently(line)) continue;
    TIniDocument doc("", false);
    doc.LoadText("[S]\r\n" + std::string(line));
    if (doc.Sections().Count() != 1 || doc.Sections().Lines(0).Count() != 1) continue;
    ++checked;
    ASSERT_FALSE(ReadsDifferently(line, doc.Sections().Lines(0)[0]))
        << testing::PrintToString(std::string(line));
  }
  EXPECT_GT(checked, 1000);
}

TEST(RoundTrip, KeptControlBytesGiveWayToEveryChange) {
  TIniDocument doc("", false);
  doc.LoadText("[A]\r\nk=x\x07\r\nj=y\x07\r\nd=z\x07\r\n[B]\r\nb=w\x07\r\n");
  doc.WriteString("A", "k", "x");  // the same stored line: the setup must now read "x" too
  doc.WriteString("A", "j", "other");
  doc.DeleteKey("A", "d");
  doc.WriteString("A", "d", "z");
  doc.EraseSection("B");
  doc.WriteString("B", "b", "w");
  // Written into the loaded layout: d goes back after the last key line, B to the end.
  EXPECT_EQ(doc.Text(), "[A]\r\nk=x\r\nj=other\r\nd=z\r\n\r\n[B]\r\nb=w\r\n");
  EXPECT_TRUE(doc.Modified());
}

TEST(RoundTrip, ValuesThatNeedQuotesAreStoredThroughAFile) {
  TTempDir dir;
  const std::string values[] = {" lead", "trail ", "'q'",     "\"dq\"", "\t",       "x\x01",
                                "''",    "a\"b",   "\x0C0yA", "\x1Ax",  "\x0Bv\x0B"};
  {
    TIniDocument doc(dir / "f.ini", false);
    for (size_t i = 0; i < std::size(values); ++i)
      doc.WriteString("S", "k" + std::to_string(i), values[i]);
    doc.WriteString("S", "plain", "v");
    doc.UpdateFile();
  }
  {
    TIniDocument doc(dir / "f.ini", false);
    for (size_t i = 0; i < std::size(values); ++i) {
      EXPECT_EQ(doc.ReadString("S", "k" + std::to_string(i), "?"), values[i]);
      doc.WriteString("S", "k" + std::to_string(i), values[i]);
    }
    EXPECT_FALSE(doc.Modified()) << "a value read back differently from what was written";
  }
}

TEST(RoundTrip, WritesThatCannotReadBackAreRefusedAndChangeNothing) {
  struct TRefusal {
    std::string Section, Key, Value, Message;
  };
  const TRefusal refusals[] = {
      {"S", "[a", "b]",
       "Cannot store key \"[a\" in section \"S\": it would read back as a section header"},
      {"S", ";c", "1", "Cannot store key \";c\" in section \"S\": it would read back as a comment"},
      {"S", " k", "1",
       "Cannot store key \" k\" in section \"S\": a blank or tab at either end would be trimmed"},
      {"S", "k\t", "1",
       "Cannot store key \"k\\x09\" in section \"S\": a blank or tab at either end would be "
       "trimmed"},
      {"S", "a=b", "1",
       "Cannot store key \"a=b\" in section \"S\": an \"=\" would end the key early"},
      {"S", "a\nb", "1",
       "Cannot store key \"a\\x0Ab\" in section \"S\": a line break would split the line"},
      {"S", std::string("a\0", 2), "1",
       "Cannot store key \"a\\x00\" in section \"S\": a control byte would not read back alike"},
      {"S", "k", "a\rb",
       "Cannot store the value \"a\\x0Db\" of key \"k\" in section \"S\": a line break would split "
       "the line"},
      {"S", "k", std::string("a\0b", 3),
       "Cannot store the value \"a\\x00b\" of key \"k\" in section \"S\": a NUL byte would cut it"},
      {"S\n", "k", "1", "Cannot store section \"S\\x0A\": a line break would split it"},
      {" S", "k", "1", "Cannot store section \" S\": white space at either end would be trimmed"},
      {std::string("S\0x", 3), "k", "1",
       "Cannot store section \"S\\x00x\": a NUL byte would cut it"},
  };
  TIniDocument doc("", false);
  doc.LoadText("[S]\r\nk=1\r\n");
  for (const TRefusal& r : refusals) {
    try {
      doc.WriteString(r.Section, r.Key, r.Value);
      ADD_FAILURE() << "accepted " << testing::PrintToString(r.Key);
    } catch (const EInOutError& e) {
      EXPECT_EQ(std::string(e.what()), r.Message);
    }
  }
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(Content(doc), "[S]|k=1|");
  EXPECT_EQ(doc.Sections().Count(), 1);
}

}  // namespace
