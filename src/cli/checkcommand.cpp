#include "cli/checkcommand.h"

#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "inifile/utf16text.h"
#include "model/model.h"
#include "model/problemlines.h"

namespace {

// The file's text as the loader reads it (a UTF-8 or UTF-16 file converted), read
// again to number the problems' lines; empty when it cannot be read now, and then
// the problems go without line numbers.
// Read at the size that the file has, which the text never outgrows on the way.
std::string FileText(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  std::string bytes;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(fileName, error);
  if (!file || error) return bytes;
  bytes.resize(static_cast<size_t>(size));
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(file.gcount()));
  std::string converted;
  if (FileTextIn1251(bytes, converted).data() == bytes.data()) return bytes;
  return converted;
}

// The printed lines, handed to the stream in large pieces: an unbuffered stream
// would otherwise be written to for every part of every line.
class TPrinter {
 public:
  explicit TPrinter(std::ostream& out) : Out_(out) {}
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;
  ~TPrinter() { Flush(); }

  void Line(const std::string& text) {
    Buffer_ += text;
    Buffer_ += '\n';
    if (Buffer_.size() >= 65536) Flush();
  }
  void Flush() {
    Out_ << Buffer_;
    Buffer_.clear();
  }

 private:
  std::ostream& Out_;
  std::string Buffer_;
};

}  // namespace

// The file is opened twice, and its problems are never all held: the first time
// notes which keys the problems concern, so that one pass over the bytes finds
// their lines; the second prints each problem as it is found.
TCheckCounts CheckFile(const std::string& fileName, const std::string& shownName,
                       const std::string& cataloguePath, const TCheckOptions& options,
                       std::ostream& errors) {
  TProblemLines lines;
  TCheckCounts counts;
  TPrinter printer(errors);
  const auto open = [&](const std::function<void(TOpenProblem)>& report) {
    CheckProjectFile(fileName, cataloguePath, report);
  };
  try {
    bool found = false;
    open([&](const TOpenProblem& problem) {
      lines.Want(problem);
      found = true;
    });
    if (!found) return counts;
    // Warnings know their lines: the bytes are read again only for the keys of problems.
    if (lines.Wants()) lines.Find(FileText(fileName));
    open([&](const TOpenProblem& problem) {
      ++(problem.Warning ? counts.Warnings : counts.Problems);
      if (problem.Warning && options.Quiet && !options.Strict) return;
      const int32_t line = lines.Line(problem);
      printer.Line(shownName + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " +
                   ShownProblem(problem));
    });
  } catch (const std::exception& error) {
    printer.Line(std::string("vuka-manager: ") + error.what());
    counts.Status = kCheckFailed;
    return counts;
  }
  if (counts.Problems > 0 || (options.Strict && counts.Warnings > 0)) {
    counts.Status = kCheckProblems;
  }
  return counts;
}

int CheckConfigurationFile(const std::string& fileName, const std::string& shownName,
                           const std::string& cataloguePath, std::ostream& errors) {
  return CheckFile(fileName, shownName, cataloguePath, TCheckOptions{true, false}, errors).Status;
}

std::string CatalogueForFile(const std::string& fileName, const std::string& given) {
  return given.empty() ? ChooseCatalogue(fileName, CataloguePath()) : given;
}
