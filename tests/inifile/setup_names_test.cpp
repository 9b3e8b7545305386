// A write reaches the line that the setup program reads for the key, also
// when the file names that key with bytes that only the setup trims or cuts
// (profile white space at either end, a NUL inside); the setup is modelled by
// the profile reader.
#include <gtest/gtest.h>

#include <string>

#include "inifile/inifile.h"
#include "profile_reader.h"

namespace {

using namespace std::string_literals;

struct TWrite {
  std::string File, Section, Key, Value;
};

// Every key that the setup read before, other than the written one, reads alike after.
void ExpectOthersKept(const profile::ProfileFile& before, const profile::ProfileFile& after,
                      const TWrite& w) {
  for (const profile::ReadSection& section : before.ReadAll()) {
    for (const auto& [key, value] : section.Values) {
      if (profile::SameAsciiText(section.Name, w.Section) && profile::SameAsciiText(key, w.Key))
        continue;
      EXPECT_EQ(after.Value(section.Name, key), value) << section.Name << "/" << key;
    }
  }
}

TEST(SetupNames, AWriteReplacesTheLineThatTheSetupReadsForTheKey) {
  const TWrite writes[] = {
      {"[Variables]\r\n\x1AProgramName=Demo\r\nInstallPath=C:\\Old\r\n", "Variables", "ProgramName",
       ""},
      {"[Variables]\r\nProgramName\x0B=Demo\r\n", "Variables", "ProgramName", "New"},
      {"[S]\r\n Key=a\r\nother=1\r\n", "S", "Key", "b"},
      // The first line the setup reads wins over a later one that names the key exactly.
      {"[S]\r\n\tKEY\x0C =a\r\nkey=b\r\n", "S", "Key", "c"},
      {"[S]\r\nKey\0junk=a\r\n"s, "S", "Key", "b"},
      {"\x1A[ Variables\x0B]\x0C\r\n\x0BProgramName=Demo\r\n", "Variables", "ProgramName", "New"},
      // A line kept as it was because its value reads otherwise gives way as well.
      {"[S]\r\n\x1Ak=x\x07\r\n", "S", "k", "y"},
      // Sections named with a NUL that do not come first, or that the setup cannot address.
      {"[S]\r\nk=1\r\n[S\0x]\r\nk=2\r\n"s, "S", "k", "3"},
      {"[S \0x]\r\nk=2\r\n"s, "S", "k", "3"},
  };
  for (const TWrite& w : writes) {
    SCOPED_TRACE(profile::Escape(w.File));
    TIniDocument doc("", false);
    doc.LoadText(w.File);
    doc.WriteString(w.Section, w.Key, w.Value);
    EXPECT_EQ(doc.ReadString(w.Section, w.Key, "?"), w.Value);
    const std::string text = doc.Text();
    const profile::ProfileFile after = profile::ProfileFile::Parse(text);
    EXPECT_EQ(after.Value(w.Section, w.Key), w.Value) << profile::Escape(text);
    ExpectOthersKept(profile::ProfileFile::Parse(w.File), after, w);
    TIniDocument again("", false);
    again.LoadText(text);
    EXPECT_EQ(again.ReadString(w.Section, w.Key, "?"), w.Value);
  }
}

// Windows folds Cyrillic letter case too (Wine does not): the line is replaced, not added to.
TEST(SetupNames, ANameInOtherCyrillicLetterCaseIsReplaced) {
  TIniDocument doc("", false);
  doc.LoadText("[S]\r\n\x0B\xCA\xCB\xDE\xD7=a\r\n");
  doc.WriteString("S", "\xCA\xEB\xFE\xF7", "b");
  EXPECT_EQ(doc.Text(), "[S]\r\n\xCA\xEB\xFE\xF7=b\r\n");
}

TEST(SetupNames, ALineWithoutEqualsThatTheSetupFindsIsReplacedWhenSuchLinesAreKept) {
  TIniDocument doc("", false, true, false, true, true, true);
  doc.LoadText("[S]\r\n\x0BKey\r\n");
  doc.WriteString("S", "key", "v");
  EXPECT_EQ(profile::ProfileFile::Parse(doc.Text()).Value("S", "key"), "v");
}

TEST(SetupNames, AWriteIntoASectionThatAnEarlierNameWithANulHidesIsRefused) {
  const std::string files[] = {"[S\0x]\r\nk=1\r\n"s, "[A]\r\n[s\0x]\r\nk=1\r\n[S]\r\nk=0\r\n"s};
  for (const std::string& file : files) {
    SCOPED_TRACE(profile::Escape(file));
    TIniDocument doc("", false);
    doc.LoadText(file);
    const std::string before = doc.Text();
    try {
      doc.WriteString("S", "k", "2");
      ADD_FAILURE() << "accepted";
    } catch (const EInOutError& e) {
      EXPECT_NE(std::string(e.what()).find("Cannot store section \"S\""), std::string::npos)
          << e.what();
    }
    EXPECT_EQ(doc.Text(), before);
    EXPECT_FALSE(doc.Modified());
  }
}

}  // namespace
