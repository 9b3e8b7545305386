// "Open": a setup configuration file read back into the project.
#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "inifile/inifile.h"
#include "model/defaults.h"
#include "model/filesize_p.h"
#include "model/lineproblem_p.h"
#include "model/linewarnings_p.h"
#include "model/model.h"
#include "model/sequences_p.h"
#include "model/valueparse_p.h"
#include "model/variablerows_p.h"

namespace {

using TProblems = std::vector<TOpenProblem>;

struct TEntry {
  std::string Name;
  std::string Value;
};

// One section of the file: its lines as name and value, in file order.
struct TSection {
  std::string Name;
  std::vector<TEntry> Entries;

  // The value of the first line of the key (ignoring letter case), or null.
  const std::string* Value(const std::string& key) const {
    for (const TEntry& entry : Entries) {
      if (SameText(entry.Name, key)) return &entry.Value;
    }
    return nullptr;
  }
};

// Only the first line of a key counts, as for every reader of the file.
template <size_t N>
void ReportRepeatedKeys(const TSection& section, const std::array<const char*, N>& keys,
                        TProblems& problems) {
  for (const char* key : keys) {
    int32_t seen = 0;
    for (const TEntry& entry : section.Entries) {
      if (!SameText(entry.Name, key)) continue;
      if (seen > 0) {
        problems.push_back(LineProblem(section.Name, entry.Name, entry.Value,
                                       "ключ повторяется; используется первое значение", seen));
      }
      ++seen;
    }
  }
}

// Sets target from the key's value when the key is present and its value parses;
// reports a value that does not parse.
template <typename T, typename TParser>
void ReadItem(const TSection& section, const char* key, T& target, TParser parse,
              TProblems& problems) {
  const std::string* text = section.Value(key);
  if (text == nullptr) return;
  const std::string why = parse(*text, target);
  if (!why.empty()) problems.push_back(LineProblem(section.Name, key, *text, why));
}

void ReadDisplay(const TSection& display, TProject& p, TProblems& problems) {
  ReadItem(display, "ShowMainWindow", p.BackgroundEnabled, ParseBoolValue, problems);

  bool dialogTitle = !p.DialogTitleCaption.empty();
  const bool dialogTitleBefore = dialogTitle;
  ReadItem(display, "ShowDialogTitle", dialogTitle, ParseBoolValue, problems);
  if (dialogTitle != dialogTitleBefore) {
    p.DialogTitleCaption = dialogTitle ? DefaultDialogTitle() : std::string();
  }

  // The final dialog is the last catalogue entry; unknown entries follow it.
  const int32_t finalIndex = p.Post.KnownCount() - 1;
  bool finalDialog = p.Post.IsTicked(finalIndex);
  ReadItem(display, "ShowFinalDialog", finalDialog, ParseBoolValue, problems);
  if (finalDialog && finalIndex < 0) {
    problems.push_back(LineProblem(display.Name, "ShowFinalDialog", "1",
                                   "в каталоге нет диалогов после установки"));
  }
  p.Post.SetTick(finalIndex, finalDialog);

  ReadItem(display, "GradientTopColor", p.TopColor, ParseColorValue, problems);
  ReadItem(display, "GradientBottomColor", p.BottomColor, ParseColorValue, problems);
  ReadItem(display, "MainTitleFont", p.TitleFont, ParseFontValue, problems);
  ReadItem(display, "MainTitleShadow", p.TitleShadow, ParseBoolValue, problems);
  ReadItem(display, "MainTitleShadowColor", p.TitleShadowColor, ParseColorValue, problems);
  ReadItem(display, "DialogTitleFont", p.DialogFont, ParseFontValue, problems);
  ReadItem(display, "DialogTitleShadow", p.DialogShadow, ParseBoolValue, problems);
  ReadItem(display, "DialogTitleShadowColor", p.DialogShadowColor, ParseColorValue, problems);
  ReadItem(display, "DialogPosition", p.DialogPosition, ParseDialogPosition, problems);
}

// The main title: shown by "ShowMainTitle", its text the variable "ProgramName". The
// product name is kept whenever the file gives one, also for a hidden title.
void ReadMainTitle(const TSection& display, const TSection& variables, TProject& p,
                   TProblems& problems) {
  bool shown = true;
  ReadItem(display, "ShowMainTitle", shown, ParseBoolValue, problems);

  const std::string* name = variables.Value("ProgramName");
  if (name != nullptr && HoldsControlByte(*name)) {
    problems.push_back(
        LineProblem(variables.Name, "ProgramName", *name, "название содержит управляющий символ"));
    name = nullptr;
  }
  if (name != nullptr && !name->empty()) p.ProgramNameText = *name;

  if (!shown && name != nullptr && !name->empty()) {
    problems.push_back(LineProblem(variables.Name, "ProgramName", *name,
                                   "заголовок скрыт (ShowMainTitle=0), поэтому название не "
                                   "показывается и при сохранении будет записано пустым"));
  } else if (shown && name != nullptr && name->empty()) {
    problems.push_back(LineProblem(variables.Name, "ProgramName", *name,
                                   "название пусто, поэтому заголовок скрыт"));
    shown = false;
  }
  p.MainTitleCaption = shown ? p.ProgramNameText : std::string();
}

struct TSequence {
  const char* Key;
  int32_t Usable;  // entries that the sequence may tick: the first ones
  TCheckList& List;
  const std::string& Catalogue;
};

// The entry for a code that the catalogue does not know: the list's unknown entry
// of that code, added ticked, last in the order, when there is none yet. Returns why
// it cannot be kept, or (it is still reported) that it was kept.
std::string KeepUnknownCode(const std::string& code, const TSequence& sequence) {
  const std::string shown = "«" + ShownText(code) + "»";
  if (HoldsControlByte(code)) {
    return "код " + shown + " не найден в каталоге и содержит управляющий символ";
  }
  TCheckList& list = sequence.List;
  for (int32_t i = list.KnownCount(); i < list.Count(); ++i) {
    if (SameText(list.Name(i), code)) return "код " + shown + " указан дважды";
  }
  list.AppendUnknown(code);
  list.Place(list.Count() - 1, static_cast<int32_t>(list.Order().size()));
  return "код " + shown + " не найден в каталоге «" + sequence.Catalogue +
         "»; он оставлен в списке и сохранится в файле как есть";
}

// Ticks the first entry of the code, next in the order; returns why it cannot, or
// empty. A code that the catalogue does not know is kept as an unknown entry and
// still reported.
std::string TickCode(const std::string& code, const TSequence& sequence, std::vector<bool>& seen) {
  if (code.empty()) return "пустой код";
  TCheckList& list = sequence.List;
  const int32_t index = list.FindCode(code, list.KnownCount());
  const std::string shown = "«" + ShownText(code) + "»";
  if (index < 0) return KeepUnknownCode(code, sequence);
  if (index >= sequence.Usable) {
    return "код " + shown + " принадлежит последнему диалогу, который включается ключом " +
           "«ShowFinalDialog»";
  }
  if (seen[static_cast<size_t>(index)]) return "код " + shown + " указан дважды";
  seen[static_cast<size_t>(index)] = true;
  list.Place(index, static_cast<int32_t>(list.Order().size()));
  return {};
}

void ReadSequence(const TSection& config, const TSequence& sequence, TProblems& problems) {
  const std::string* text = config.Value(sequence.Key);
  if (text == nullptr) return;
  for (int32_t i = 0; i < sequence.Usable; ++i) sequence.List.SetTick(i, false);
  if (text->empty()) return;

  std::vector<bool> seen(static_cast<size_t>(sequence.Usable), false);
  size_t start = 0;
  for (;;) {
    const size_t comma = text->find(',', start);
    std::string code = text->substr(start, comma == std::string::npos ? comma : comma - start);
    const size_t first = code.find_first_not_of(" \t");
    code = first == std::string::npos
               ? std::string()
               : code.substr(first, code.find_last_not_of(" \t") - first + 1);
    const std::string why = TickCode(code, sequence, seen);
    if (!why.empty()) problems.push_back(LineProblem(config.Name, sequence.Key, *text, why));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
}

void ReadSequences(const TSection& config, const std::string& cataloguePath, TProject& p,
                   TProblems& problems) {
  const int32_t postUsable = p.Post.KnownCount() > 0 ? p.Post.KnownCount() - 1 : 0;
  ReadSequence(config, {"PreInstallDialogSequence", p.Pred.KnownCount(), p.Pred, cataloguePath},
               problems);
  ReadSequence(config, {"PostInstallDialogSequence", postUsable, p.Post, cataloguePath}, problems);
  ReadSequence(config, {"Languages", p.Langs.KnownCount(), p.Langs, cataloguePath}, problems);
}

// The keys of "Config" and "Display" that Open reads.
constexpr std::array<const char*, 3> kSequenceKeys{"PreInstallDialogSequence",
                                                   "PostInstallDialogSequence", "Languages"};
constexpr std::array<const char*, 13> kDisplayKeys{
    "ShowMainWindow",       "ShowMainTitle",       "ShowDialogTitle",   "ShowFinalDialog",
    "GradientTopColor",     "GradientBottomColor", "MainTitleFont",     "MainTitleShadow",
    "MainTitleShadowColor", "DialogTitleFont",     "DialogTitleShadow", "DialogTitleShadowColor",
    "DialogPosition"};
constexpr std::array<const char*, 1> kTitleKeys{"ProgramName"};

// The sections that Open reads, in the order in which the scan is asked for them.
enum : size_t { kConfig, kDisplay, kVariables };
const std::vector<std::string> kOpenedSections{"Config", "Display", "Variables"};

template <size_t N>
bool IsOneOf(std::string_view key, const std::array<const char*, N>& keys) {
  return std::any_of(keys.begin(), keys.end(),
                     [key](const char* known) { return SameFolded(key, known); });
}

// Counts the lines of "Variables" and the bytes of their names, so that room for the
// rows (or their names) is made at once.
class TVariableLineCount : public TIniVisitor {
 public:
  void Section(size_t /*which*/) override {}
  void Entry(size_t /*which*/, std::string_view key, std::string_view /*value*/) override {
    ++Count;
    NameBytes += key.size();
  }
  size_t Count = 0;
  size_t NameBytes = 0;
};

// What Open keeps of the file besides the rows: the lines of the keys it reads
// from "Config" and "Display", the ProgramName lines of "Variables", how many
// other lines of "Variables" are no row, how many lines are warned about, and
// whether any of the three sections is there.
struct TFileContent {
  TSection Config{"Config", {}};
  TSection Display{"Display", {}};
  TSection Titles{"Variables", {}};
  size_t RowProblems = 0;
  size_t Warnings = 0;
  bool AnySection = false;
};

// Reads the file in one pass; every line of "Variables" but ProgramName becomes a row
// as it comes, or is counted as a problem.
class TFileReading : public TIniVisitor {
 public:
  // Without keepRows the rows are not kept, only their names.
  TFileReading(TProject& p, const TVariableLineCount& lines, bool keepRows)
      : Rows_(keepRows ? &p.Variables : nullptr, lines.Count, lines.NameBytes) {}

  void Line(size_t number, std::string_view text) override { Warnings_.Line(number, text); }
  void Section(size_t /*which*/) override { Content_.AnySection = true; }
  void Entry(size_t which, std::string_view key, std::string_view value) override {
    if (which == kVariables && !IsOneOf(key, kTitleKeys)) {
      Rows_.Add(key, value);
      return;
    }
    TSection& section = which == kConfig    ? Content_.Config
                        : which == kDisplay ? Content_.Display
                                            : Content_.Titles;
    const bool known = which == kConfig    ? IsOneOf(key, kSequenceKeys)
                       : which == kDisplay ? IsOneOf(key, kDisplayKeys)
                                           : true;
    if (known) section.Entries.push_back(TEntry{std::string(key), std::string(value)});
  }
  TFileContent Finish() {
    Content_.RowProblems = Rows_.Problems();
    Content_.Warnings = Warnings_.Count();
    return std::move(Content_);
  }

 private:
  TVariableRows Rows_;
  TLineWarnings Warnings_;  // only counted
  TFileContent Content_;
};

// Reads the file's rows into the project, which must hold none, and returns the rest.
// The name index of the rows is gone before the caller goes on.
TFileContent ReadFileContent(const std::string& fileName, TProject& p, bool keepRows) {
  TVariableLineCount count;
  ScanIniFile(fileName, {"Variables"}, count);
  TFileReading reading(p, count, keepRows);
  ScanIniFile(fileName, kOpenedSections, reading);
  return reading.Finish();
}

// Where the problems go: each one whole, those of lines of "Variables" as their parts, and the
// warnings.
struct TProblemReport {
  std::function<void(TOpenProblem)> Whole;
  TVariableRows::TReport Line;
  TLineWarnings::TReport Warning;
};

// Reads the file again and hands the report each warning and (with rowProblems) the problem of
// each line of "Variables" that the reading made no row of, in file order: they are never all
// held.
class TLineProblems : public TIniVisitor {
 public:
  TLineProblems(const std::vector<TVariableRow>* rows, const TProblemReport& report,
                bool rowProblems)
      : Warnings_(report.Warning) {
    if (rowProblems) Rows_.emplace(report.Line, rows);
  }

  void Line(size_t number, std::string_view text) override { Warnings_.Line(number, text); }
  void Section(size_t /*which*/) override {}
  void Entry(size_t /*which*/, std::string_view key, std::string_view value) override {
    if (Rows_ && !IsOneOf(key, kTitleKeys) && !Rows_->Add(key, value)) Same_ = false;
  }
  // True when the lines were those that the rows and the warnings were counted from.
  bool Same(size_t warnings) const {
    return Same_ && (!Rows_ || Rows_->Complete()) && Warnings_.Count() == warnings;
  }

 private:
  std::optional<TVariableRows> Rows_;
  TLineWarnings Warnings_;
  bool Same_ = true;
};

// Every problem whole, as OpenProjectReport hands them.
TProblemReport WholeProblems(const std::function<void(TOpenProblem)>& report) {
  return {report,
          [&report](const std::string& name, const std::string& value, const std::string& why,
                    int32_t occurrence) {
            report(LineProblem("Variables", name, value, why, occurrence));
          },
          [&report](const TLineWarning& warning) { report(WarningProblem(warning)); }};
}

// With rows, those that the first reading made, which the lines must give again.
void ReportLineProblems(const std::string& fileName, const std::vector<TVariableRow>* rows,
                        const TProblemReport& report, const TFileContent& file) {
  TLineProblems problems(rows, report, file.RowProblems > 0);
  ScanIniFile(fileName, {"Variables"}, problems);
  if (!problems.Same(file.Warnings))
    throw EInOutError("Cannot read file " + fileName + ": it changed");
}

// Reads the file into the project (reset already) and hands `report` the problems.
// Without keepRows the project gets no rows: only the problems are wanted.
void ApplyFile(const std::string& fileName, const std::string& cataloguePath, TProject& p,
               const TProblemReport& report, bool keepRows) {
  p.Variables.clear();
  p.Origin.VariableNames.clear();
  TFileContent file = ReadFileContent(fileName, p, keepRows);
  TProblems problems;
  if (!file.AnySection) {
    problems.push_back(TOpenProblem{
        {}, {}, 0, "В файле нет ни одного из разделов «Config», «Display» и «Variables»"});
  }
  ReportRepeatedKeys(file.Config, kSequenceKeys, problems);
  ReadSequences(file.Config, cataloguePath, p, problems);
  ReportRepeatedKeys(file.Display, kDisplayKeys, problems);
  ReadDisplay(file.Display, p, problems);
  ReportRepeatedKeys(file.Titles, kTitleKeys, problems);
  ReadMainTitle(file.Display, file.Titles, p, problems);
  for (TOpenProblem& problem : problems) report.Whole(std::move(problem));
  if (file.RowProblems > 0 || file.Warnings > 0)
    ReportLineProblems(fileName, keepRows ? &p.Variables : nullptr, report, file);

  size_t nameBytes = 0;
  for (const TVariableRow& row : p.Variables) nameBytes += row.Name.size();
  p.Origin.VariableNames.reserve(p.Variables.size(), nameBytes);
  for (const TVariableRow& row : p.Variables) p.Origin.VariableNames.push_back(row.Name);
  if (p.Variables.empty()) p.Variables.emplace_back();  // the table always holds a row
}

// "Open" into the project, or (without keepRows) only for its problems.
void OpenInto(TProject& project, const std::string& fileName, const std::string& cataloguePath,
              const TProblemReport& report, bool keepRows) {
  std::error_code ignored;
  // Checked first: the engine loads a missing file as an empty document, and a
  // FIFO or device would block or never end.
  if (!std::filesystem::is_regular_file(fileName, ignored)) {
    throw EInOutError("Cannot open file " + fileName);
  }
  RefuseOversizedFile(fileName);
  TProject opened = project;
  ResetProject(opened, cataloguePath);
  ApplyFile(fileName, cataloguePath, opened, report, keepRows);
  opened.Origin.FileName = fileName;
  project = std::move(opened);
}

}  // namespace

void OpenProjectReport(TProject& project, const std::string& fileName,
                       const std::string& cataloguePath,
                       const std::function<void(TOpenProblem)>& report) {
  OpenInto(project, fileName, cataloguePath, WholeProblems(report), true);
}

void CheckProjectFile(const std::string& fileName, const std::string& cataloguePath,
                      const std::function<void(TOpenProblem)>& report) {
  TProject project;
  OpenInto(project, fileName, cataloguePath, WholeProblems(report), false);
}

std::vector<TOpenProblem> OpenProjectReport(TProject& project, const std::string& fileName,
                                            const std::string& cataloguePath) {
  std::vector<TOpenProblem> problems;
  OpenProjectReport(project, fileName, cataloguePath,
                    [&problems](TOpenProblem problem) { problems.push_back(std::move(problem)); });
  return problems;
}

TProblemTexts OpenProject(TProject& project, const std::string& fileName,
                          const std::string& cataloguePath) {
  TProblemTexts texts;
  const TProblemReport report{
      [&texts](const TOpenProblem& problem) { texts.Add(problem.Text); },
      [&texts](const std::string& name, const std::string& value, const std::string& why,
               int32_t /*occurrence*/) { texts.AddLine("Variables", name, value, why); },
      [&texts](const TLineWarning& warning) { texts.AddWarning(warning); }};
  OpenInto(project, fileName, cataloguePath, report, true);
  return texts;
}

std::vector<TOpenProblem> ApplySequenceValues(const TSequenceValues& values,
                                              const std::string& cataloguePath, TProject& project) {
  const TSection config{"Config",
                        {{"PreInstallDialogSequence", values.Pred},
                         {"PostInstallDialogSequence", values.Post},
                         {"Languages", values.Langs}}};
  TProblems problems;
  ReadSequences(config, cataloguePath, project, problems);
  return problems;
}
