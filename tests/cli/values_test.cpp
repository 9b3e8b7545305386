// "vuka-manager --get", "--set" and "--unset" from the real program: values read as the
// setup's profile functions read them, changes saved through the model or refused
// with the file untouched.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cp1251text.h"
#include "model/model.h"
#include "profile_reader.h"
#include "programrun.h"
#include "testfiles.h"

namespace {

// What the profile functions give for NAME ("Section/Key" or a variable), in UTF-8.
std::optional<std::string> ProfileValue(const std::string& fileName, const std::string& name) {
  const size_t slash = name.find('/');
  const std::string section = name.substr(0, slash == std::string::npos ? 0 : slash);
  const bool keyed =
      profile::SameAsciiText(section, "Config") || profile::SameAsciiText(section, "Display");
  const std::optional<std::string> value =
      profile::ProfileFile::Parse(ReadBytes(fileName))
          .Value(keyed ? section : "Variables",
                 Utf8ToCp1251(keyed ? name.substr(slash + 1) : name));
  if (!value) return std::nullopt;
  return Cp1251ToUtf8(*value);
}

// A file that a hand wrote: blanks, quotes, letter case, repeated keys and sections.
const char* const kHandWritten =
    "[Config]\n Languages = RUS , ENG \n[Display]\nShowMainWindow=\"0\"\nshowmainwindow=1\n"
    "[Variables]\nПуть = \"C:\\Program Files\\Х\" \nимя='кавычки'\nПусто=\nБлоки=  x  y  \n"
    "a=1\nA=2\nкот=1\nКОТ=2\nГолый\nГолый=1\n[variables]\nB=второй раздел\n";

}  // namespace

// --get prints what the profile functions read, in UTF-8 under the C locale, and exits 1
// (printing nothing) for what they do not find; from a Windows-1251 file and from a UTF-8
// one with its byte-order mark.
TEST(ValueCommands, GetReadsAsTheSetupReads) {
  TTempDir dir;
  const std::string ansi = dir / "vuka.ini";
  WriteBytes(ansi, CrLf(kHandWritten));
  const std::string utf8 = dir / "utf8.ini";
  WriteBytes(utf8, "\xEF\xBB\xBF" + std::string(kHandWritten));
  for (const std::string& file : {ansi, utf8}) {
    for (const std::string name :
         {"Config/Languages", "config/LANGUAGES", "Display/ShowMainWindow", "Путь", "имя", "Пусто",
          "Блоки", "a", "A", "кот", "КОТ", "Кот", "Голый", "B", "ProgramName", "Display/Nothing"}) {
      SCOPED_TRACE(name);
      SCOPED_TRACE(file);
      const std::optional<std::string> expected = ProfileValue(file, name);
      const TRun run = RunProgram(dir, {"--get", name, file});
      EXPECT_EQ(run.Status, expected ? 0 : 1);
      EXPECT_EQ(run.Output, expected ? *expected + "\n" : "");
      EXPECT_EQ(run.Errors, "");
    }
  }
  EXPECT_EQ(RunProgram(dir, {"--get", "A", dir / "missing.ini"}).Status, 2);
}

namespace {

using TValues = std::vector<std::pair<std::string, std::string>>;  // name, value (UTF-8)

// Values that the window takes: Windows-1251 text without control characters, made of
// the characters that quoting, trimming and splitting at "=" could get wrong.
TValues GeneratedValues(int count) {
  const std::vector<std::string> pieces = {" ", "\"", "'", "=", ";", "[", "]", "\\",
                                           "Ж", "ё",  "€", "a", "Z", "0", "«", "  "};
  TValues values;
  unsigned seed = 7;
  for (int i = 0; i < count; ++i) {
    std::string value;
    for (int length = i % 7; length > 0; --length) {
      seed = seed * 1103515245U + 12345U;
      value += pieces[(seed >> 16) % pieces.size()];
    }
    values.emplace_back("Значение" + std::to_string(i), value);
  }
  return values;
}

// --set arguments for the values, with the file's name among them.
std::vector<std::string> SetArguments(const TValues& values, const std::string& file) {
  std::vector<std::string> arguments;
  for (const auto& [name, value] : values) {
    std::string assignment = name;
    assignment += "=";
    assignment += value;
    arguments.insert(arguments.end(), {"--set", assignment});
    if (arguments.size() == 4) arguments.push_back(file);
  }
  return arguments;
}

// A file as Save writes it, with the variables Старая=1 and Keep=k.
std::string WriteSavedFile(const TTempDir& dir) {
  TProject project;
  ResetProject(project, VUKA_SAMPLE_CATALOGUE);
  project.Variables = {{Utf8ToCp1251("Старая"), "1"}, {"Keep", "k"}};
  SaveProject(project, dir / "vuka.ini");
  return dir / "vuka.ini";
}

}  // namespace

// Every value the window takes reads back through the profile functions as given after
// --set; --unset removes every line of the variable; setting the values that the keys
// hold already leaves the file byte for byte as it was.
TEST(ValueCommands, SetAndUnsetReadBackAsGiven) {
  TTempDir dir;
  const std::string file = WriteSavedFile(dir);
  TValues values = GeneratedValues(40);
  values.insert(values.end(), {{"ProgramName", "Setup 2.0 «бета»"},
                               {"keep", "K2"},
                               {"Display/ShowMainWindow", "0"},
                               {"display/DialogPosition", "2,0"},
                               {"Config/Languages", "RUS"}});
  std::vector<std::string> arguments = SetArguments(values, file);
  arguments.insert(arguments.end(), {"--unset", "СТАРАЯ", "--catalogue", VUKA_SAMPLE_CATALOGUE});
  const TRun run = RunProgram(dir, arguments);
  ASSERT_EQ(run.Status, 0) << run.Errors;
  EXPECT_EQ(run.Output, file + ": сохранён\n");
  for (const auto& [name, value] : values) EXPECT_EQ(ProfileValue(file, name), value) << name;
  EXPECT_EQ(ProfileValue(file, "Старая"), std::nullopt);
  EXPECT_EQ(RunProgram(dir, {"--check", file, "--catalogue", VUKA_SAMPLE_CATALOGUE}).Status, 0);

  const std::string bytes = ReadBytes(file);
  SetOldModificationTime(file);
  const std::string stamp = ModificationStamp(file);
  arguments = SetArguments(values, file);
  arguments.push_back("--quiet");
  const TRun again = RunProgram(dir, arguments);
  EXPECT_EQ(again.Status, 0) << again.Errors;
  EXPECT_EQ(again.Output, "");
  EXPECT_EQ(ReadBytes(file), bytes);
  EXPECT_EQ(ModificationStamp(file), stamp);
}

// A change that cannot be saved as given is refused with its reason, and then nothing is
// written, whatever else the command line asked for.
TEST(ValueCommands, RefusalLeavesTheFileAsItWas) {
  TTempDir dir;
  const std::string file = WriteSavedFile(dir);
  const std::string bad = dir / "bad.ini";
  WriteBytes(bad, CrLf("[Display]\nShowMainWindow=2\n[Variables]\nA=1\n"));
  const std::string nothing = "vuka-manager: " + file + ": ничего не записано\n";
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--set", "A=1", "--set", "Display/ShowMainWindow=2"},
       "vuka-manager: «Display» / «ShowMainWindow» = «2»: не 0 и не 1\n" + nothing},
      {{"--set", "Display/Foo=1"},
       "vuka-manager: «Display/Foo»: такой ключ редактор не записывает\n" + nothing},
      {{"--set", "Display/GradientTopColor=$ff"},
       "vuka-manager: «Display/GradientTopColor»: сохранится как «$0000FF»\n" + nothing},
      {{"--set", "ProgramName="},
       "vuka-manager: «Variables» / «ProgramName» = «»: название пусто, поэтому заголовок "
       "скрыт\n" +
           nothing},
      {{"--set", "A=\x01"},
       "vuka-manager: «Variables» / «A» = «\uFFFD»: значение содержит управляющий символ\n" +
           nothing},
      {{"--set", " B=1"},
       "vuka-manager: « B»: Cannot store key \" B\" in section \"Variables\": a blank or tab "
       "at either end would be trimmed\n" +
           nothing},
      {{"--unset", "Display/ShowMainWindow"},
       "vuka-manager: «Display/ShowMainWindow»: этот ключ записывается при каждом сохранении; "
       "его можно только изменить\n" +
           nothing},
      {{"--set", "A=✓"},
       "vuka-manager: «A=✓»: значение не записать в Windows-1251: Символ «✓» (U+2713) нельзя "
       "записать в кодировке Windows-1251\n"},
      {{"--set", "A=1", "--unset", "a"}, "vuka-manager: «a»: имя «A» названо дважды\n"},
      {{"--set", "A"}, "vuka-manager: «A»: нет «=» между именем и значением\n"},
  };
  const std::string bytes = ReadBytes(file);
  for (const auto& [arguments, errors] : cases) {
    std::vector<std::string> withFile = arguments;
    withFile.push_back(file);
    SCOPED_TRACE(arguments.back());
    const TRun run = RunProgram(dir, withFile);
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Errors, errors);
    EXPECT_EQ(ReadBytes(file), bytes);
  }
  const std::string badBytes = ReadBytes(bad);
  const TRun problems = RunProgram(dir, {"--set", "A=2", bad});
  EXPECT_EQ(problems.Status, 1);
  EXPECT_EQ(problems.Errors, bad + ":2: «Display» / «ShowMainWindow» = «2»: не 0 и не 1\n" +
                                 "vuka-manager: " + bad +
                                 ": в файле есть проблемы; ничего не записано\n");
  EXPECT_EQ(ReadBytes(bad), badBytes);
}

// A missing file is created as "New" and then "Save" would create it, with the catalogue
// that "Open" would choose for it: here the setup folder's own.
TEST(ValueCommands, SetCreatesAMissingFile) {
  TTempDir dir;
  std::filesystem::create_directories(dir / "setup");
  WriteBytes(dir / "setup/version.ini", CrLf("[Languages]\nСвой=XYZ\n"));
  const std::string file = dir / "setup/vuka.ini";
  const TRun run = RunProgram(dir, {"--set", "Config/Languages=XYZ", file, "--set", "Новая=да"});
  ASSERT_EQ(run.Status, 0) << run.Errors;
  TProject expected;
  ResetProject(expected, dir / "setup/version.ini");
  expected.Langs.SetTick(0, true);
  expected.Variables.push_back({Utf8ToCp1251("Новая"), Utf8ToCp1251("да")});
  SaveProject(expected, dir / "expected.ini");
  EXPECT_EQ(ReadBytes(file), ReadBytes(dir / "expected.ini"));
}
