// Writing back into a file that the document loaded changes only the lines
// that the writes change: every other byte of the file stays.
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "inifile/inifile.h"
#include "testfiles.h"

namespace {

struct TChange {
  char Op;  // 'w' WriteString, 'd' DeleteKey, 'e' EraseSection
  std::string Section, Key, Value;
};

struct TLayoutCase {
  const char* Name;
  std::string Before;
  std::vector<TChange> Changes;
  std::string After;
};

const TLayoutCase kCases[] = {
    {"comments, blank lines, lines without \"=\" and before the first header stay",
     "; top\r\nloose=1\r\n[A]\r\n; about k\r\nk = 1\r\nno equals\r\n\r\n",
     {{'w', "A", "k", "2"}, {'w', "A", "new", "n"}},
     "; top\r\nloose=1\r\n[A]\r\n; about k\r\nk=2\r\nnew=n\r\nno equals\r\n\r\n"},
    {"a header with blanks and an empty section stay; a new section goes to the end",
     "  [ B ] \r\nx = 1\r\n[Plugins]\r\n",
     {{'w', "B", "x", "1"}, {'w', "C", "z", "1"}},
     "  [ B ] \r\nx = 1\r\n[Plugins]\r\n\r\n[C]\r\nz=1\r\n"},
    {"the same value in other letter case and spacing changes nothing",
     "[S]\r\nKEY = v\r\n",
     {{'w', "s", "key", "v"}},
     "[S]\r\nKEY = v\r\n"},
    {"writing the value a key holds drops a line without \"=\" that hides it, and only that",
     "[S]\r\n k\x0B\r\nK = 1\r\n[T]\r\nj=1\r\nj\r\n",
     {{'w', "S", "k", "1"}, {'w', "T", "j", "1"}},
     "[S]\r\nK = 1\r\n[T]\r\nj=1\r\nj\r\n"},
    {"a deleted key's later line, which the document then reads, is not left hidden either",
     "[S]\r\nk=1\r\nk\r\nk=2\r\n",
     {{'d', "S", "k", ""}},
     "[S]\r\nk=2\r\n"},
    {"LF", "[A]\nk=1\n", {{'w', "A", "k", "2"}, {'w', "A", "m", "3"}}, "[A]\nk=2\nm=3\n"},
    {"CR", "[A]\rk=1\r", {{'w', "A", "m", "3"}}, "[A]\rk=1\rm=3\r"},
    {"mixed: each line keeps its end, new lines take the most common one",
     "[A]\r\nk=1\nj=2\n\r",
     {{'w', "A", "k", "5"}, {'w', "A", "x", "1"}},
     "[A]\r\nk=5\nj=2\nx=1\n\r"},
    {"an unended last line gets an end only when a line follows it",
     "[A]\r\nk=1",
     {{'w', "A", "j", "2"}},
     "[A]\r\nk=1\r\nj=2\r\n"},
    {"an unended last line that no write touches stays unended",
     "[A]\r\nk=1\r\n[B]\r\nb=1",
     {{'w', "A", "k", "2"}},
     "[A]\r\nk=2\r\n[B]\r\nb=1"},
    {"a deleted key takes only its line; a new key follows the last key line as loaded",
     "[V]\r\na=1\r\n; about b\r\nb=2\r\n; end\r\n",
     {{'d', "V", "b", ""}, {'w', "V", "c", "3"}},
     "[V]\r\na=1\r\n; about b\r\nc=3\r\n; end\r\n"},
    {"a later duplicate section stays; erasing the name takes both",
     "[A]\r\nx=1\r\n[a]\r\ny=2\r\n[B]\r\nb=1\r\n",
     {{'w', "A", "y", "3"}},
     "[A]\r\nx=1\r\ny=3\r\n[a]\r\ny=2\r\n[B]\r\nb=1\r\n"},
    {"erasing a section takes its lines and those of its duplicates",
     "[A]\r\nx=1\r\n; a\r\n[a]\r\ny=2\r\n[B]\r\nb=1\r\n",
     {{'e', "A", "", ""}},
     "[B]\r\nb=1\r\n"},
    // "Uzstādīšana" and "Программа" in UTF-8; the writes come in Windows-1251.
    {"a UTF-8 file with a byte-order mark stays UTF-8 and keeps letters beyond Windows-1251",
     "\xEF\xBB\xBF[Valoda]\r\nNosaukums=Uzst\xC4\x81\x64\xC4\xAB\xC5\xA1\x61na\r\nk=1\r\n",
     {{'w', "Valoda", "k", "\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xE0"}, {'w', "\xDF", "a", "b"}},
     "\xEF\xBB\xBF[Valoda]\r\nNosaukums=Uzst\xC4\x81\x64\xC4\xAB\xC5\xA1\x61na\r\n"
     "k=\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD0\xB0\r\n"
     "\r\n[\xD0\xAF]\r\na=b\r\n"},
};

// The document on the whole file, or (`chosen`) on only the sections that the changes name.
std::unique_ptr<TIniDocument> DocumentFor(const std::string& path, const TLayoutCase& c,
                                          bool chosen) {
  if (!chosen) return std::make_unique<TIniDocument>(path, false);
  std::vector<std::string> sections;
  for (const TChange& change : c.Changes) sections.push_back(change.Section);
  return std::make_unique<TIniDocument>(path, sections);
}

// Each case also in a UTF-16 file of either byte order: the same lines, kept or written in UTF-16.
TEST(Layout, EachLineFormSurvivesAndOnlyChangedLinesAreWritten) {
  const char* const forms[] = {"", ", UTF-16 LE", ", UTF-16 BE"};
  for (int run = 0; run < 6 * static_cast<int>(std::size(kCases)); ++run) {
    TLayoutCase c = kCases[run / 6];
    const bool chosen = run % 2 == 1;
    const int form = run / 2 % 3;
    if (form != 0) {
      c.Before = Utf16File(c.Before, form == 2);
      c.After = Utf16File(c.After, form == 2);
    }
    SCOPED_TRACE(std::string(c.Name) + (chosen ? ", chosen sections" : "") + forms[form]);
    TTempDir dir;
    const std::string path = dir / "f.ini";
    WriteBytes(path, c.Before);
    SetOldModificationTime(path);
    const std::string stamp = ModificationStamp(path);
    {
      const std::unique_ptr<TIniDocument> owned = DocumentFor(path, c, chosen);
      TIniDocument& doc = *owned;
      for (const TChange& change : c.Changes) {
        if (change.Op == 'w') doc.WriteString(change.Section, change.Key, change.Value);
        if (change.Op == 'd') doc.DeleteKey(change.Section, change.Key);
        if (change.Op == 'e') doc.EraseSection(change.Section);
      }
      EXPECT_EQ(doc.Text(), c.After);
      doc.UpdateFile();
      // The document now holds the written file: saving it again changes nothing.
      doc.WriteString(c.Changes.front().Section, "again", "1");
      doc.DeleteKey(c.Changes.front().Section, "again");
      EXPECT_EQ(doc.Text(), c.After);
    }
    EXPECT_EQ(ReadBytes(path), c.After);
    if (c.After == c.Before) {
      EXPECT_EQ(ModificationStamp(path), stamp) << "rewritten unchanged";
    }
  }
}

// What no write touches stays as the file holds it, odd last byte and unpaired
// surrogate included; the setup reads a character that Windows-1251 lacks as "?".
TEST(Layout, Utf16FileReadsAsTheSetupDoes) {
  const std::string header = std::string("\xFF\xFE[\0\x10\x04]\0\r\0\n\0", 12);
  const std::string before =
      header + std::string("k\0=\0\x01\x01\r\0\n\0b\0=\0\x00\xD8\r\0\n\0", 20) + "x";
  TIniDocument doc("", false);
  doc.LoadText(before);
  EXPECT_EQ(doc.ReadString("\xC0", "k", ""), "?");  // U+0101
  EXPECT_EQ(doc.ReadString("\xC0", "b", ""), "?");
  EXPECT_EQ(doc.Text(), before);
  doc.WriteString("\xC0", "n", "\xDF");
  EXPECT_EQ(doc.Text(),
            before.substr(0, before.size() - 1) + std::string("n\0=\0\x2F\x04\r\0\n\0", 10) + "x");
}

}  // namespace
