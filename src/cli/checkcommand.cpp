#include "cli/checkcommand.h"

#include <exception>
#include <fstream>
#include <iterator>
#include <vector>

#include "model/model.h"

namespace {

// The file's bytes, read again to number the problems' lines; empty when it cannot
// be read now, and then the problems go without line numbers.
std::string FileBytes(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

int CheckConfigurationFile(const std::string& fileName, const std::string& shownName,
                           const std::string& cataloguePath, std::ostream& errors) {
  std::vector<TOpenProblem> problems;
  try {
    TProject project;
    problems = OpenProjectReport(project, fileName, cataloguePath);
  } catch (const std::exception& error) {
    errors << "vuka-manager: " << error.what() << '\n';
    return kCheckFailed;
  }
  if (problems.empty()) return kCheckClean;
  const std::vector<int32_t> lines = ProblemLines(FileBytes(fileName), problems);
  for (size_t i = 0; i < problems.size(); ++i) {
    errors << shownName;
    if (lines[i] > 0) errors << ':' << lines[i];
    errors << ": " << problems[i].Text << '\n';
  }
  return kCheckProblems;
}
