// Where in a configuration file the problems that "Open" reports stand: the line
// of each problem's key, found in one pass over the file's bytes.
#include "model/problemlines.h"

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "inifile/inifile.h"
#include "inifile/lineforms_p.h"
#include "inifile/linesplitter_p.h"
#include "model/model.h"

namespace {

using TKeyLines = TProblemLines::TKeyLines;
using TSectionKeys = TProblemLines::TSectionKeys;

std::string Folded(const std::string& text) {
  std::string folded = text;
  for (char& c : folded) c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
  return folded;
}

// Follows the loaded lines of the file, one at a time, and notes the line of every
// wanted key in the first section of each wanted name.
class TKeyScanner {
 public:
  explicit TKeyScanner(TSectionKeys& wanted) : Wanted_(wanted) {}

  void Line(const std::string& text, int32_t number) {
    if (text.empty() || text == "\x1A" || text.front() == ';') return;
    std::string_view header;
    if (ParseHeader(text, header)) {
      const std::string name = Folded(std::string(header));
      // Of several sections of one name only the first one is loaded.
      const bool first = Seen_.insert(name).second;
      const auto section = Wanted_.find(name);
      Current_ = first && section != Wanted_.end() ? &section->second : nullptr;
      return;
    }
    if (Current_ == nullptr) return;
    const size_t eq = text.find('=');
    if (eq == std::string::npos) return;
    size_t end = eq;
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    const auto key = Current_->find(Folded(text.substr(0, end)));
    if (key != Current_->end()) key->second.push_back(number);
  }

 private:
  TSectionKeys& Wanted_;
  std::unordered_set<std::string> Seen_;
  TKeyLines* Current_ = nullptr;
};

// Hands every line of the loader to the scanner, numbered as an editor numbers
// it: LF, CR LF and a lone CR each end one line.
void ScanLines(const std::string& bytes, TKeyScanner& scanner) {
  TLineSplitter splitter(bytes);
  std::string_view line, end;
  for (int32_t number = 1; splitter.Next(line, end); ++number)
    scanner.Line(std::string(line), number);
}

}  // namespace

void TProblemLines::Want(const TOpenProblem& problem) {
  if (problem.Line == 0 && !problem.Section.empty())
    Wanted_[Folded(problem.Section)][Folded(problem.Key)];
}

void TProblemLines::Find(const std::string& fileBytes) {
  if (Wanted_.empty()) return;
  TKeyScanner scanner(Wanted_);
  ScanLines(fileBytes, scanner);
}

int32_t TProblemLines::Line(const TOpenProblem& problem) const {
  if (problem.Line != 0) return problem.Line;
  if (problem.Section.empty() || problem.Occurrence < 0) return 0;
  const auto section = Wanted_.find(Folded(problem.Section));
  if (section == Wanted_.end()) return 0;
  const auto key = section->second.find(Folded(problem.Key));
  if (key == section->second.end()) return 0;
  const std::deque<int32_t>& found = key->second;
  const auto at = static_cast<size_t>(problem.Occurrence);
  return at < found.size() ? found[at] : 0;
}

std::vector<int32_t> ProblemLines(const std::string& fileBytes,
                                  const std::vector<TOpenProblem>& problems) {
  TProblemLines finder;
  for (const TOpenProblem& problem : problems) finder.Want(problem);
  finder.Find(fileBytes);
  std::vector<int32_t> lines;
  lines.reserve(problems.size());
  for (const TOpenProblem& problem : problems) lines.push_back(finder.Line(problem));
  return lines;
}
