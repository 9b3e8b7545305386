// Reading, changing and writing back an INI document.
#include <gtest/gtest.h>

#include "inifile/inifile.h"
#include "inifile/linefile_p.h"
#include "testfiles.h"

namespace {

const char* const Sample =
    "; comment\r\n"
    "[Config]\r\n"
    "Name = Setup \r\n"
    "Empty=\r\n"
    "Hex1=0x1F\r\nHex2=0X1F\r\nHex3=$1F\r\nNeg=-5\r\nBad=12abc\r\nBig=4294967295\r\n"
    "All=$FFFFFFFF\r\nTwo=2\r\nZero=0\r\nMin=-2147483648\r\nOver=2147483648\r\nX=x1f\r\n"
    "Nine=$123456789\r\nLeadZeros=$000000001\r\nBlank=\" 7\"\r\nPlus=+7\r\nTail=7 \"\r\n"
    "\r\n"
    "[Display]\r\n"
    "Width=640\r\n";

TEST(Document, ReadsValuesAndIntegerForms) {
  TTempDir dir;
  WriteBytes(dir / "f.ini", Sample);
  TIniDocument doc(dir / "f.ini", true);
  EXPECT_EQ(doc.Handle(), FileHandle{});  // a read-only document closes its file after loading
  EXPECT_EQ(doc.ReadString("config", "NAME", "d"), "Setup");
  EXPECT_EQ(doc.ReadString("Config", "Empty", "d"), "");
  EXPECT_EQ(doc.ReadString("Config", "Missing", "d"), "d");
  EXPECT_EQ(doc.ReadString("Nowhere", "Name", "d"), "d");
  const std::pair<const char*, int32_t> cases[] = {
      {"Hex1", 31}, {"Hex2", 31}, {"Hex3", 31},  {"Neg", -5},      {"Bad", 99},
      {"Big", 99},  {"All", -1},  {"Two", 2},    {"Zero", 0},      {"Min", INT32_MIN},
      {"Over", 99}, {"X", 31},    {"Nine", 99},  {"LeadZeros", 1}, {"Blank", 7},
      {"Plus", 7},  {"Tail", 99}, {"Empty", 99}, {"Missing", 99}};
  for (const auto& [key, expected] : cases)
    EXPECT_EQ(doc.ReadInteger("Config", key, 99), expected) << key;
  EXPECT_TRUE(doc.ReadBool("Config", "Two", false));
  EXPECT_FALSE(doc.ReadBool("Config", "Zero", true));
  EXPECT_TRUE(doc.ReadBool("Config", "Bad", true));
  EXPECT_FALSE(doc.ReadBool("Config", "Bad", false));
  EXPECT_EQ(doc.ReadInteger("Display", "Width", 0), 640);
}

TEST(Document, ListQueriesAppendOrReplace) {
  TTempDir dir;
  WriteBytes(dir / "f.ini", "[S]\r\na=1\r\nb=2\r\nA=3\r\n[T]\r\nt=1\r\n");
  TIniDocument doc(dir / "f.ini", true);
  TStringList list;
  list.Add("keep");
  doc.ReadSection("s", list);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list[3], "A");
  TStringList values;
  values.Add("B=old");
  values.Add("other=x");
  doc.ReadSectionValues("S", values);  // a=1, then b replaces B=old, then A=3 replaces a=1
  ASSERT_EQ(values.Count(), 3);
  EXPECT_EQ(values[0], "b=2");
  EXPECT_EQ(values[2], "A=3");
  TStringList sections;
  sections.Add("gone");
  doc.ReadSections(sections);
  ASSERT_EQ(sections.Count(), 2);
  EXPECT_EQ(sections[1], "T");
  EXPECT_EQ(sections.Objects(1), &doc.Sections().Lines(1));
  doc.ReadSection("missing", list);
  doc.ReadSectionValues("missing", values);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(values.Count(), 3);
}

TEST(Document, WritesBackByteForByte) {
  TTempDir dir;
  WriteBytes(dir / "f.ini", Sample);
  {
    TIniDocument doc(dir / "f.ini", false);
    EXPECT_TRUE(IsOpenHandle(doc.Handle()));
    doc.WriteString("Display", "Width", "800");
    doc.WriteInteger("Display", "Depth", -16);
    doc.WriteBool("New", "Flag", true);
    doc.WriteString("CONFIG", "name", "Other");  // new letter case replaces the line
    EXPECT_EQ(doc.ReadString("Config", "Name", ""), "Other");
    doc.UpdateFile();
  }
  // Only the written lines change: the comment and the spacing of other lines stay (once
  // they were gone after a write); a new key follows its section's last key line.
  std::string expected = Sample;
  expected.replace(expected.find("Name = Setup \r\n"), 15, "name=Other\r\n");
  expected.replace(expected.find("Width=640\r\n"), 11,
                   "Width=800\r\nDepth=-16\r\n\r\n[New]\r\nFlag=1\r\n");
  EXPECT_EQ(ReadBytes(dir / "f.ini"), expected);
}

TEST(Document, ValuesThatLoadingWouldChangeAreWrittenInQuotes) {
  TTempDir dir;
  WriteBytes(dir / "f.ini", "[S]\r\nk=' a '\r\n");
  {
    TIniDocument doc(dir / "f.ini", false);
    EXPECT_EQ(doc.ReadString("S", "k", ""), " a ");
    doc.WriteString("S", "other", " b ");
    doc.UpdateFile();
  }
  // The untouched line keeps its own quotes; the written one gets double quotes.
  EXPECT_EQ(ReadBytes(dir / "f.ini"), "[S]\r\nk=' a '\r\nother=\" b \"\r\n");
  TIniDocument doc(dir / "f.ini", true);
  EXPECT_EQ(doc.ReadString("S", "k", ""), " a ");
  EXPECT_EQ(doc.ReadString("S", "other", ""), " b ");
}

TEST(Document, ModifiedOnlyByRealChanges) {
  TTempDir dir;
  WriteBytes(dir / "f.ini", "[S]\r\nk=v\r\n;c\r\n");
  {
    TIniDocument doc(dir / "f.ini", false);
    doc.WriteString("S", "k", "v");
    doc.EraseSection("missing");
    doc.DeleteKey("S", "missing");
    doc.DeleteKey("Gone", "k");  // appends the empty section Gone
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(doc.Sections().Count(), 2);
  }
  EXPECT_EQ(ReadBytes(dir / "f.ini"), "[S]\r\nk=v\r\n;c\r\n");  // untouched, comment included

  TIniDocument doc(dir / "f.ini", false);
  doc.WriteString("S", "K", "v");  // the same value under the key in other letter case
  EXPECT_FALSE(doc.Modified());    // (once this replaced the line)
  EXPECT_EQ(doc.ReadString("S", "k", ""), "v");
  doc.DeleteKey("s", "k");
  EXPECT_TRUE(doc.Modified());
  doc.UpdateFile();
  EXPECT_FALSE(doc.Modified());
  // The section without lines and the comment stay (once the file became empty).
  EXPECT_EQ(ReadBytes(dir / "f.ini"), "[S]\r\n;c\r\n");
  EXPECT_TRUE(IsOpenHandle(doc.Handle()));
}

TEST(Document, EmptyKeyErasesOrFlushes) {
  TTempDir dir;
  WriteBytes(dir / "f.ini", "[A]\r\na=1\r\n[B]\r\nb=1\r\n");
  TIniDocument doc(dir / "f.ini", false);
  doc.WriteString("A", "a", "2");
  doc.WriteString("", "", "");  // flushes
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(ReadBytes(dir / "f.ini"), "[A]\r\na=2\r\n[B]\r\nb=1\r\n");
  doc.WriteString("b", "", "");
  EXPECT_TRUE(doc.Modified());
  EXPECT_EQ(doc.ReadString("B", "b", "gone"), "gone");
  doc.WriteString("", "", "x");  // erases the section with the empty name: there is none
  doc.UpdateFile();
  EXPECT_EQ(ReadBytes(dir / "f.ini"), "[A]\r\na=2\r\n");
}

TEST(Document, SearchesSurviveErasingTheCurrentSection) {
  TTempDir dir;
  WriteBytes(dir / "f.ini", "[A]\r\na=1\r\n[B]\r\nb=2\r\n[]\r\ne=3\r\n");
  TIniDocument doc(dir / "f.ini", true);
  EXPECT_EQ(doc.ReadString("", "e", ""), "3");  // the empty section name
  TStringList keys;
  doc.ReadSection("", keys);
  EXPECT_EQ(doc.Sections().LastHit(), 2);
  doc.EraseSection("");
  EXPECT_EQ(doc.Sections().LastHit(), 0);
  EXPECT_EQ(doc.ReadString("A", "a", ""), "1");
  EXPECT_EQ(doc.ReadString("", "e", "d"), "d");
  EXPECT_EQ(doc.ReadString("b", "B", ""), "2");
}

TEST(Document, NewSectionsGoToTheEnd) {
  TTempDir dir;
  WriteBytes(dir / "f.ini", "[A]\r\na=1\r\n[B]\r\nb=1\r\n");
  {
    TIniDocument doc(dir / "f.ini", false);
    doc.WriteString("C", "c", "1");
    doc.WriteString("A", "a2", "2");
    doc.UpdateFile();
  }
  EXPECT_EQ(ReadBytes(dir / "f.ini"), "[A]\r\na=1\r\na2=2\r\n[B]\r\nb=1\r\n\r\n[C]\r\nc=1\r\n");
}

TEST(Document, MissingFileIsCreatedWithItsDirectoriesOnlyWhenWritten) {
  TTempDir dir;
  const std::string path = dir / "a/b/vuka.ini";
  { TIniDocument doc(path, false); }
  EXPECT_FALSE(FileExists(dir / "a"));
  {
    TIniDocument doc(path, false);
    doc.WriteString("S", "k", "v");
    EXPECT_FALSE(FileExists(dir / "a"));
    EXPECT_EQ(doc.Handle(), FileHandle{});
    doc.UpdateFile();
  }
  EXPECT_EQ(ReadBytes(path), "[S]\r\nk=v\r\n\r\n");
}

TEST(Document, ReadOnlyAndNamelessDocumentsKeepChangesInMemory) {
  TTempDir dir;
  WriteBytes(dir / "f.ini", "[S]\r\nk=v\r\n");
  {
    TIniDocument doc(dir / "f.ini", true);
    doc.WriteString("S", "k", "changed");
    EXPECT_TRUE(doc.Modified());
    doc.UpdateFile();
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(doc.ReadString("S", "k", ""), "changed");
  }
  EXPECT_EQ(ReadBytes(dir / "f.ini"), "[S]\r\nk=v\r\n");
  TIniDocument nameless("", false);
  nameless.WriteString("S", "k", "v");
  nameless.UpdateFile();
  EXPECT_FALSE(nameless.Modified());
}

TEST(Document, SetFileNameFlushesTheOldFileAndLoadsTheNew) {
  TTempDir dir;
  WriteBytes(dir / "one.ini", "[S]\r\nk=1\r\n");
  WriteBytes(dir / "two.ini", "[T]\r\nk=2\r\n");
  TIniDocument doc(dir / "one.ini", false);
  doc.WriteString("S", "k", "changed");
  doc.SetFileName(dir / "two.ini");
  EXPECT_EQ(ReadBytes(dir / "one.ini"), "[S]\r\nk=changed\r\n");
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(doc.FileName(), dir / "two.ini");
  EXPECT_EQ(doc.ReadString("S", "k", "d"), "d");
  EXPECT_EQ(doc.ReadString("T", "k", "d"), "2");
  // The old file is released: another writer can take it now.
  TIniDocument other(dir / "one.ini", false);
}

TEST(Document, WritersLockEachOtherOut) {
  TTempDir dir;
  const std::string path = dir / "f.ini";
  WriteBytes(path, "[S]\r\nk=v\r\n");
  {
    TIniDocument writer(path, false);
    try {
      TIniDocument second(path, false);
      FAIL() << "a second writer opened the file";
    } catch (const EInOutError& e) {
      EXPECT_STREQ(e.what(), ("Cannot open file " + path).c_str());
    }
    TIniDocument reader(path, true);  // readers are let in
    EXPECT_EQ(reader.ReadString("S", "k", ""), "v");
    writer.WriteString("S", "k", "w");
    writer.UpdateFile();
  }
  TIniDocument again(path, false);
  EXPECT_EQ(again.ReadString("S", "k", ""), "w");
}

TEST(Document, AReadErrorFailsTheLoadInsteadOfTruncatingTheDocument) {
  // Reading this process's own memory at offset 0 fails with an I/O error.
  try {
    TIniDocument doc("/proc/self/mem", true);
    FAIL() << "the load passed for success";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Cannot read file /proc/self/mem: Input/output error");
  }
}

// Subclasses inherit the constructors and see their overrides used by the
// operations that build on others.
class CountingDocument : public TIniDocument {
 public:
  using TIniDocument::TIniDocument;
  std::string ReadString(const std::string& s, const std::string& k,
                         const std::string& d) override {
    ++Reads;
    return TIniDocument::ReadString(s, k, d);
  }
  void WriteString(const std::string& s, const std::string& k, const std::string& v) override {
    Written += s + "/" + k + "=" + v + ";";
    TIniDocument::WriteString(s, k, v);
  }
  int Reads = 0;
  std::string Written;
};

TEST(Document, DerivedOperationsGoThroughTheVirtualOnes) {
  CountingDocument doc("", true);
  doc.WriteInteger("S", "i", 5);
  doc.WriteBool("S", "b", false);
  EXPECT_EQ(doc.Written, "S/i=5;S/b=0;");
  EXPECT_FALSE(doc.ReadBool("S", "b", true));
  EXPECT_EQ(doc.ReadInteger("S", "i", 0), 5);
  EXPECT_EQ(doc.Reads, 2);
}

}  // namespace
