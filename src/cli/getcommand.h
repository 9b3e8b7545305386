// "--get NAME FILE": the value that the setup reads for a variable or a key.
#pragma once

#include <ostream>
#include <string>

#include "cli/valuename.h"

// Exit statuses of --get.
inline constexpr int kGetFound = 0;
inline constexpr int kGetAbsent = 1;
inline constexpr int kGetFailed = 2;

// Reads the file as the setup's profile reader does (the first line of the key in the
// first section of that name, names ignoring letter case, one layer of quotes and the
// blanks around the value removed) and writes the value in UTF-8 and a line end to
// `out`. Writes nothing when the key is absent. When the file is missing, is no
// regular file, is larger than MaxConfigurationBytes or cannot be read, writes
// "vuka-manager: " and the reason to `errors`. Returns the exit status.
int GetValue(const std::string& fileName, const TValueName& name, std::ostream& out,
             std::ostream& errors);
