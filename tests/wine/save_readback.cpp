// Saves projects into copies of hand-written files (and into a new file), and
// into each file turned into UTF-16 as Windows tools write it, and checks,
// through the profile-function model, that the setup program reads every key
// of the project as meant and every other key as before, and that a UTF-16
// file stays UTF-16. A save may
// refuse a project or a file it cannot store faithfully; then the file must be
// unchanged. The saved files stay in the output folder for the Wine check.
// Usage: save_readback CORPUS_FOLDER OUTPUT_FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "inifile/utf16text.h"
#include "inifile/utf8text_p.h"
#include "model/model.h"
#include "reading_checks.h"

namespace fs = std::filesystem;

namespace {

struct NamedProject {
  std::string Name;
  TProject Project;
  bool MayBeRefused;  // holds texts that the setup would read differently
};

TProject WithRows(std::vector<TVariableRow> rows) {
  TProject p;
  for (TVariableRow& row : rows) p.Variables.push_back(std::move(row));
  return p;
}

std::vector<NamedProject> Projects() {
  std::vector<NamedProject> projects;
  projects.push_back({"plain",
                      WithRows({{"\xCF\xF3\xF2\xFC", "C:\\Program Files\\\xC4\xE5\xEC\xEE"},
                                {"Dup", "1"},
                                {"Quote", "a \"b\" c"},
                                {"Eq", "x=y"},
                                {"k", "new"}}),
                      false});
  TProject hidden =
      WithRows({{"\xCA\xCB\xDE\xD7", "\xE7\xED\xE0\xF7\xE5\xED\xE8\xE5"}, {"c", "v"}});
  hidden.MainTitleCaption.clear();
  hidden.DialogTitleCaption.clear();
  hidden.BackgroundEnabled = false;
  projects.push_back({"hidden", hidden, false});
  projects.push_back({"trimmed-values",
                      WithRows({{"Blank", "  x"},
                                {"Tail", "x  "},
                                {"Single", "'x'"},
                                {"Double", "\"x\""},
                                {"Bell", "x\x07"}}),
                      true});
  projects.push_back(
      {"misread-names", WithRows({{" [Sec]", "1"}, {" ;x", "2"}, {" Dup", "3"}}), true});
  return projects;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The file's text as a UTF-16 little-endian file: UTF-8 after its mark,
// Windows-1251 otherwise.
std::string AsUtf16(const std::string& bytes) {
  const bool utf8 = bytes.starts_with("\xEF\xBB\xBF");
  TUtf16Form form;
  form.Order = TUtf16Form::TOrder::Little;
  return Utf8FileToUtf16(utf8 ? bytes : "\xEF\xBB\xBF" + Windows1251ToUtf8WithQuestionMark(bytes),
                         form);
}

bool IsUtf16(std::string_view bytes) { return bytes.starts_with("\xFF\xFE"); }

// Returns the number of problems found.
int SaveAndCheck(const NamedProject& np, const fs::path& target, const std::string* original) {
  try {
    SaveProject(np.Project, target.string(), (target.parent_path() / "no-catalogue.ini").string());
  } catch (const std::exception& e) {
    const bool unchanged =
        original ? fs::exists(target) && ReadFile(target) == *original : !fs::exists(target);
    std::printf("%s: refused (%s)%s\n", target.filename().string().c_str(), e.what(),
                unchanged ? "" : " and the file CHANGED");
    return (unchanged && (np.MayBeRefused || original != nullptr)) ? 0 : 1;
  }
  const std::string savedBytes = ReadFile(target);
  const profile::ProfileFile saved = profile::ProfileFile::Parse(savedBytes);
  const std::vector<MeantKey> meant = MeantKeys(np.Project);
  std::vector<std::string> problems = CheckMeantKeys(meant, saved);
  if (original != nullptr && IsUtf16(*original) != IsUtf16(savedBytes))
    problems.emplace_back("the file lost its UTF-16 form");
  if (original) {
    const profile::ProfileFile before = profile::ProfileFile::Parse(*original);
    if (!before.Approximate()) {
      for (std::string& p : CheckOtherKeysKept(before, saved, meant)) problems.push_back(p);
    }
  }
  for (const std::string& p : problems)
    std::printf("%s: %s\n", target.filename().string().c_str(), p.c_str());
  return static_cast<int>(problems.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: save_readback CORPUS_FOLDER OUTPUT_FOLDER\n");
    return 2;
  }
  const fs::path out = argv[2];
  fs::remove_all(out);
  fs::create_directories(out);
  std::vector<fs::path> originals;
  for (const auto& entry : fs::directory_iterator(argv[1])) originals.push_back(entry.path());
  std::sort(originals.begin(), originals.end());

  int problems = 0;
  for (const NamedProject& np : Projects()) {
    problems += SaveAndCheck(np, out / ("new-file--" + np.Name + ".ini"), nullptr);
    for (const fs::path& source : originals) {
      const std::string bytes = ReadFile(source);
      for (const std::string& original : {bytes, AsUtf16(bytes)}) {
        const fs::path target =
            out / (source.stem().string() + (IsUtf16(original) ? "-utf16" : "") + "--" + np.Name +
                   ".ini");
        std::ofstream(target, std::ios::binary) << original;
        problems += SaveAndCheck(np, target, &original);
      }
    }
  }
  std::printf("%d problems\n", problems);
  return problems == 0 ? 0 : 1;
}
