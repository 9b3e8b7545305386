// The check of a configuration file from the command line, for build pipelines:
// the file is read as "Open" reads it and every problem is printed; nothing is
// written and no window system is needed.
#pragma once

#include <ostream>
#include <string>

// Exit statuses of the check.
inline constexpr int kCheckClean = 0;     // the file holds nothing that "Open" reports
inline constexpr int kCheckProblems = 1;  // it holds problems, each printed
inline constexpr int kCheckFailed = 2;    // the file or the catalogue cannot be read

// Opens fileName with the catalogue at cataloguePath as "Open" does and writes each
// problem to `errors` on a line of its own: "FILE:LINE: text" with the line of the
// key it concerns, or "FILE: text" when it concerns no key. FILE is shownName (the
// name as the user gave it), texts are UTF-8. When the file or the catalogue cannot
// be read, writes "vuka-manager: " and the reason instead. Returns the exit status.
int CheckConfigurationFile(const std::string& fileName, const std::string& shownName,
                           const std::string& cataloguePath, std::ostream& errors);
