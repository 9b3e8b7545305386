#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "model/model.h"
#include "profile_reader.h"
#include "projectdiff.h"
#include "testfiles.h"

namespace {

// The kind of a warning, told by its text.
std::string KindOf(const std::string& text) {
  if (text.find("заголовок без «]»") != std::string::npos) return "header";
  if (text.find("без «=»") != std::string::npos) return "no=";
  if (text.starts_with("раздел ")) return "repeat";
  return "?";
}

// The warnings of the file as "line kind section", in the order reported.
std::vector<std::string> Warnings(const std::vector<TOpenProblem>& problems) {
  std::vector<std::string> warnings;
  for (const TOpenProblem& p : problems) {
    if (p.Warning)
      warnings.push_back(std::to_string(p.Line) + " " + KindOf(p.Text) + " " + p.Section);
  }
  return warnings;
}

// The lines of the bytes, each with its end, as an editor numbers them.
std::vector<std::string> EditorLines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < bytes.size();) {
    size_t end = bytes.find_first_of("\r\n", at);
    end = end == std::string::npos             ? bytes.size()
          : bytes.compare(end, 2, "\r\n") == 0 ? end + 2
                                               : end + 1;
    lines.push_back(bytes.substr(at, end - at));
    at = end;
  }
  return lines;
}

// How many lines of the first sections of Config, Display and Variables the setup's reader (the
// profile reader model) reads as a key without a value, headers without "]" left out.
size_t KeysWithoutValue(const std::string& bytes) {
  size_t count = 0;
  std::vector<std::string> seen;
  const profile::ProfileFile file = profile::ProfileFile::Parse(bytes);
  for (const profile::Section& section : file.Sections()) {
    bool first = true;
    for (const std::string& name : seen)
      first = first && !profile::SameAsciiText(name, section.Name);
    seen.push_back(section.Name);
    const bool owned = profile::SameAsciiText(section.Name, "Config") ||
                       profile::SameAsciiText(section.Name, "Display") ||
                       profile::SameAsciiText(section.Name, "Variables");
    for (const profile::Entry& entry : section.Entries) {
      if (first && owned && !entry.HasValue && !entry.Comment() && !entry.Key.starts_with("["))
        ++count;
    }
  }
  return count;
}

// A random file of lines that read as they look or are warned about, with any line ends.
std::string RandomFile(std::mt19937& random) {
  // The lines to choose from, "|" between them.
  static const std::string forms =
      "[Config]|[Display]|[Variables]|[config]|[Other]|[Display|[Variables| [Config ; c|Foo|"
      "  noeq\t|ShowMainWindow|ShowMainWindow=0|A=1| B = \x01|; c||ProgramName=X|[Config] |"
      "Languages=RUS,X|PreInstallDialogSequence|";
  static const std::vector<std::string> ends = {"\r\n", "\n", "\r"};
  std::vector<std::string> lines;
  for (size_t at = 0, bar = 0; (bar = forms.find('|', at)) != std::string::npos; at = bar + 1)
    lines.push_back(forms.substr(at, bar - at));
  std::string bytes;
  for (auto n = random() % 14; n > 0; --n)
    bytes += lines[random() % lines.size()] + ends[random() % ends.size()];
  return bytes;
}

// The texts of the problems that are no warnings.
std::vector<std::string> ProblemTexts(const std::vector<TOpenProblem>& problems) {
  std::vector<std::string> texts;
  for (const TOpenProblem& p : problems)
    if (!p.Warning) texts.push_back(p.Text);
  return texts;
}

// The bytes without the lines that the warnings (but those of repeated sections) are about.
std::string WithoutIgnoredLines(const std::string& bytes,
                                const std::vector<TOpenProblem>& problems) {
  std::set<int32_t> ignored;
  for (const TOpenProblem& p : problems)
    if (p.Warning && KindOf(p.Text) != "repeat") ignored.insert(p.Line);
  std::string kept;
  const std::vector<std::string> lines = EditorLines(bytes);
  for (size_t i = 0; i < lines.size(); ++i)
    if (ignored.count(static_cast<int32_t>(i + 1)) == 0) kept += lines[i];
  return kept;
}

}  // namespace

// Each warning is what the setup's reader (the profile reader model) does with the line: the
// probe is a key that the reader reads from the section it names.
TEST(OpenWarnings, NameTheLinesThatTheSetupReadsOtherwise) {
  struct TCase {
    std::string Bytes;
    std::vector<std::string> Warnings;
    std::string Section, Key;
    std::optional<std::string> Read;  // what the setup reads for Section/Key
  };
  const std::vector<TCase> cases = {
      // Not a header: its keys stay in the section above.
      {"[Config]\r\nA=1\r\n[Display\r\nShowMainWindow=0\r\n",
       {"3 header Config"},
       "Config",
       "ShowMainWindow",
       "0"},
      {"[Display\r\nX=1\r\n[Config]\r\n", {"1 header "}, "", "X", "1"},
      {"[Variables]\r\n [Display ; c\r\nA=1\r\n", {"2 header Variables"}, "Variables", "A", "1"},
      // A key without a value, which hides a later line of that key.
      {"[Variables]\r\nFoo\r\nFoo=1\r\n", {"2 no= Variables"}, "Variables", "Foo", std::nullopt},
      {"[Config]\rX\n\nY\r\n[Display]\r\n\tZ \r\n",
       {"2 no= Config", "4 no= Config", "6 no= Display"},
       "Config",
       "X",
       std::nullopt},
      // Lines counted across a CR LF pair that the file's reading in pieces parts.
      {"[Variables]\r\n;" + std::string(262129, 'x') + "\r\nFoo\r\n",
       {"3 no= Variables"},
       "Variables",
       "Foo",
       std::nullopt},
      // Only the first section of a name is read; lines of a later one are never warned about.
      {"[Config]\r\nA=1\r\n[CONFIG]\r\nB=2\r\nnoeq\r\n",
       {"3 repeat CONFIG"},
       "Config",
       "B",
       std::nullopt},
      // Comments, blank lines, lines outside the three sections and headers with blanks or text
      // after "]" read as they look.
      {";c\r\n\r\n \t\r\ntop\r\n[Other]\r\nnoeq\r\n  [Display] \r\n;x\r\n  ; y\r\n\x1A\r\nA=1\r\n"
       "[Config] ; c\r\nB=2\r\n",
       {},
       "Display",
       "A",
       "1"},
  };
  TTempDir dir;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Bytes.substr(0, 200));
    WriteBytes(dir / "vuka.ini", c.Bytes);
    TProject p;
    EXPECT_EQ(Warnings(OpenProjectReport(p, dir / "vuka.ini", VUKA_SAMPLE_CATALOGUE)), c.Warnings);
    EXPECT_EQ(profile::ProfileFile::Parse(c.Bytes).Value(c.Section, c.Key), c.Read);
  }
}

// Random files: every form of "Open" tells the same warnings among the same problems; every key
// that the setup reads without a value is warned about; and the lines warned about (but repeated
// headers) are lines that "Open" ignores: without them it loads the same project with the same
// problems.
TEST(OpenWarnings, NeverChangeWhatOpenLoads) {
  std::mt19937 random(7);
  TTempDir dir;
  const std::string file = dir / "vuka.ini", catalogue = VUKA_SAMPLE_CATALOGUE;
  for (int round = 0; round < 120; ++round) {
    std::string bytes = RandomFile(random);
    // More section names than the list of texts keeps as words.
    for (int i = 0; round == 0 && i < 70; ++i)
      bytes += "[S" + std::to_string(i) + "]\r\n[Display\r\n";
    SCOPED_TRACE(bytes);
    WriteBytes(file, bytes);
    TProject opened, reported, other;
    const TProblemTexts texts = OpenProject(opened, file, catalogue);
    const std::vector<TOpenProblem> problems = OpenProjectReport(reported, file, catalogue);
    std::vector<std::string> shown, checked;
    for (const TOpenProblem& problem : problems) shown.push_back(ShownProblem(problem));
    EXPECT_EQ(texts, shown);
    CheckProjectFile(file, catalogue, [&checked](const TOpenProblem& problem) {
      checked.push_back(ShownProblem(problem));
    });
    EXPECT_EQ(checked, shown);
    const std::vector<std::string> warnings = Warnings(problems);
    EXPECT_EQ(std::count_if(warnings.begin(), warnings.end(),
                            [](const std::string& w) { return w.find(" no= ") != w.npos; }),
              KeysWithoutValue(bytes));

    WriteBytes(dir / "without.ini", WithoutIgnoredLines(bytes, problems));
    const std::vector<TOpenProblem> without =
        OpenProjectReport(other, dir / "without.ini", catalogue);
    EXPECT_EQ(ProjectDifference(opened, other), "");
    EXPECT_EQ(ProblemTexts(without), ProblemTexts(problems));
  }
}
