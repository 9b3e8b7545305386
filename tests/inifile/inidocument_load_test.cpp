// How a document normalises what it loads.
#include <gtest/gtest.h>

#include <random>

#include "document_content.h"
#include "inifile/inifile.h"
#include "testfiles.h"

namespace {

std::string LoadAll(const std::string& text, bool strip = true, bool skip = true, bool trim = true,
                    bool unquote = true, bool trailing = true) {
  TTempDir dir;
  WriteBytes(dir / "f.ini", text);
  TIniDocument doc(dir / "f.ini", true, strip, skip, trim, unquote, trailing);
  return Content(doc);
}

TEST(Load, NormalisesEntries) {
  EXPECT_EQ(LoadAll("[Config]\r\nKey = 'a b'   \r\n"), "[Config]|Key=a b|");
  EXPECT_EQ(LoadAll("[S]\r\n Key=1\r\n"), "[S]| Key=1|");  // leading blank stays in the key
  EXPECT_EQ(LoadAll("[S]\r\nk \t=\t v \t\x01\r\n"), "[S]|k=v|");
  EXPECT_EQ(LoadAll("[S]\r\n  = x\r\n"), "[S]|= x|");  // an all-blank key: nothing trimmed after
  EXPECT_EQ(LoadAll("[S]\r\nk=\"\"\r\nq='\r\nm='a\"\r\nz==\"x\"\r\n"),
            "[S]|k=|q='|m='a\"|z==\"x\"|");
  EXPECT_EQ(LoadAll("[S]\r\n=\"x\"\r\nk=\" a \"\r\n"), "[S]|=\"x\"|k= a |");
}

TEST(Load, DropsWhatIsNotAnEntry) {
  EXPECT_EQ(LoadAll("k=before\r\n;c=1\r\n[S]\r\n\r\n;x=1\r\n ;y=2\r\nno equals\r\n\x1A"),
            "[S]| ;y=2|");
  // A header, trimmed of white space, starts with "[" and holds a "]"; the text after
  // the last "]" is ignored.
  EXPECT_EQ(LoadAll("[A]\r\na=1\r\n[B] \r\nb=2\r\n [C]\r\n[D] ;x\r\nd=4\r\n"),
            "[A]|a=1||[B]|b=2||[D]|d=4|");
  EXPECT_EQ(LoadAll("[B] \r\nb=2\r\n[]\r\ne=5\r\n"), "[B]|b=2||[]|e=5|");
  EXPECT_EQ(LoadAll("[A]\r\n[b=1\r\n"), "[A]|[b=1|");  // no "]": an entry
  // Only a line of a lone 26 is dropped as such.
  EXPECT_EQ(LoadAll("[S]\r\n\x1A\r\n\x1A\x1A", true, false, true, true, false), "[S]|\x1A\x1A|");
  // Lines ending in LF alone are lines too.
  EXPECT_EQ(LoadAll("[S]\na=1\nb=2\n"), "[S]|a=1|b=2|");
  EXPECT_EQ(LoadAll("[S]\ra=1\rb=2"), "[S]|a=1|b=2|");
}

TEST(Load, EachOptionWorksAlone) {
  const std::string text = "[S]\r\n;c\r\nplain  \r\nk \t= \"v\" \r\n";
  EXPECT_EQ(LoadAll(text, false, false, false, false, false), "[S]|;c|plain  |k \t= \"v\" |");
  EXPECT_EQ(LoadAll(text, true, false, false, false, false), "[S]|plain  |k \t= \"v\" |");
  EXPECT_EQ(LoadAll(text, false, true, false, false, false), "[S]|k \t= \"v\" |");
  EXPECT_EQ(LoadAll(text, false, false, true, false, false), "[S]|;c|plain  |k=\"v\" |");
  EXPECT_EQ(LoadAll(text, false, false, false, false, true), "[S]|;c|plain|k \t= \"v\"|");
  EXPECT_EQ(LoadAll(text, false, false, true, true, true), "[S]|;c|plain|k=v|");
  // Trailing trimming can empty a line, which is then kept.
  EXPECT_EQ(LoadAll("[S]\r\n \t\r\n", true, false, true, true, true), "[S]||");
}

TEST(Load, DuplicateSectionsKeepTheFirstUnmerged) {
  TTempDir dir;
  WriteBytes(dir / "f.ini", "[A]\r\nx=1\r\n[a]\r\ny=2\r\n");
  {
    TIniDocument doc(dir / "f.ini", false);
    EXPECT_EQ(Content(doc), "[A]|x=1|");
    EXPECT_EQ(doc.ReadString("a", "y", "none"), "none");
    EXPECT_FALSE(doc.Modified());
  }
  EXPECT_EQ(ReadBytes(dir / "f.ini"), "[A]\r\nx=1\r\n[a]\r\ny=2\r\n");
  {
    TIniDocument doc(dir / "f.ini", false);
    doc.WriteString("A", "x", "1");  // unchanged: still not modified
    EXPECT_FALSE(doc.Modified());
    doc.WriteString("Other", "k", "v");
    doc.DeleteKey("Other", "k");
    doc.WriteString("a", "z", "3");
    doc.UpdateFile();
  }
  // The later duplicate, which the setup never reads either, stays as it was (once it went
  // with the first write); a write goes to the section that both read.
  EXPECT_EQ(ReadBytes(dir / "f.ini"), "[A]\r\nx=1\r\nz=3\r\n[a]\r\ny=2\r\n");
}

TEST(Load, DuplicateCallbackIsSetBeforeTheFileIsLoaded) {
  TTempDir dir;
  WriteBytes(dir / "f.ini", "[A]\r\nx=1\r\n[B]\r\n[a]\r\ny=2\r\n");
  TIniDocument doc("", false);
  std::string seen;
  doc.OnDuplicateSection = [&](const std::string& name, TStringList& earlier, TStringList& later) {
    seen = name + ":" + earlier[0] + ":" + later[0];
    return false;
  };
  doc.SetFileName(dir / "f.ini");
  EXPECT_EQ(seen, "a:x=1:y=2");
  EXPECT_EQ(Content(doc), "[a]|y=2|");
  EXPECT_EQ(doc.Sections().Count(), 2);
  EXPECT_FALSE(doc.Modified());
}

TEST(Load, LargeFileWithLongLines) {
  TTempDir dir;
  std::string text = "[Big]\r\n";
  std::string expected = "[Big]";
  for (int i = 0; i < 3000; ++i) {
    const std::string value(static_cast<size_t>(i % 250), static_cast<char>('a' + i % 26));
    text += "key" + std::to_string(i) + " = " + value + "\r\n";
    expected += "|key" + std::to_string(i) + "=" + value;
  }
  EXPECT_EQ(LoadAll(text), expected + "|");
}

// Random lines of random length with every kind of line end, and bytes that
// loading trims or that make a line be written back as it was.
std::string RandomLines(std::mt19937& random, size_t size) {
  static const char* const ends[] = {"\r\n", "\r", "\n", "\n\r", "\r\n\r\n"};
  static const char* const tails[] = {"", " ", "\x01", "\t\x0B", "\"q\""};
  std::string text;
  while (text.size() < size) {
    const unsigned kind = random() % 10;
    if (kind == 0)
      text += "[S" + std::to_string(random() % 5) + "]";
    else
      text += "k" + std::to_string(random() % 50) + " = " +
              std::string(random() % 120, static_cast<char>('a' + random() % 26)) +
              tails[random() % 5];
    text += ends[random() % 5];
  }
  return text;
}

TEST(Load, AFileLoadsInPiecesExactlyAsItsBytesParseWhole) {
  // Files are read in pieces of 256 KiB cut after a line end: these files span
  // several pieces, put a CR LF pair across the first cut, and hold a line
  // longer than a piece.
  constexpr size_t Piece = size_t{256} * 1024;
  std::mt19937 random(7);
  std::string straddling = "[A]\r\n" + std::string(Piece - 6, 'x') + "\r\nk=1\r\n";
  straddling[6] = '=';
  const std::string texts[] = {
      RandomLines(random, 3 * Piece),
      straddling,
      "[L]\r\nlong=" + std::string(Piece + 1000, 'v') + "\r\nafter=1",
      RandomLines(random, Piece / 2) + "\n[Z]\nlong=" + std::string(2 * Piece, 'w') + "\n\r" +
          RandomLines(random, Piece),
  };
  for (const std::string& text : texts) {
    TTempDir dir;
    WriteBytes(dir / "f.ini", text);
    TIniDocument fromFile(dir / "f.ini", true);
    TIniDocument fromBytes("", true);
    fromBytes.LoadText(text);
    EXPECT_EQ(Content(fromFile), Content(fromBytes));
    EXPECT_EQ(fromFile.Text(), fromBytes.Text());  // lines kept as they were, too
  }
}

}  // namespace
