// The check of a configuration file from the command line, for build pipelines:
// the file is read as "Open" reads it and every problem is printed; nothing is
// written and no window system is needed.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

// Exit statuses of the check.
inline constexpr int kCheckClean = 0;     // the file holds nothing that "Open" reports
inline constexpr int kCheckProblems = 1;  // it holds problems, each printed
inline constexpr int kCheckFailed = 2;    // the file or the catalogue cannot be read

// How the findings of a check are told and counted.
struct TCheckOptions {
  bool Strict = false;  // warnings count as problems for the exit status
  bool Quiet = false;   // warnings are not printed (unless Strict makes them count)
};

// What the check of one file found.
struct TCheckCounts {
  int Status = kCheckClean;
  int64_t Problems = 0;
  int64_t Warnings = 0;
};

// Opens fileName with the catalogue at cataloguePath as "Open" does and writes each
// problem to `errors` on a line of its own: "FILE:LINE: text" with the line it
// concerns, or "FILE: text" when it concerns no line; a warning (a line that the
// setup reads otherwise than it looks) as "FILE:LINE: предупреждение: text". FILE is
// shownName (the name as the user gave it), texts are UTF-8. The status is
// kCheckProblems when there are problems, or warnings with options.Strict; warnings
// alone give kCheckClean. When the file or the catalogue cannot be read, writes
// "vuka-manager: " and the reason instead, and the status is kCheckFailed.
TCheckCounts CheckFile(const std::string& fileName, const std::string& shownName,
                       const std::string& cataloguePath, const TCheckOptions& options,
                       std::ostream& errors);

// CheckFile with warnings counted as problems; returns the exit status.
int CheckConfigurationFile(const std::string& fileName, const std::string& shownName,
                           const std::string& cataloguePath, std::ostream& errors);

// The catalogue that a command uses for fileName: `given` (from --catalogue) when not
// empty, else the one that "Open" would choose for the file (see ChooseCatalogue).
std::string CatalogueForFile(const std::string& fileName, const std::string& given);
