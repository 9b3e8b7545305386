// Values read from a configuration file as the setup's profile functions read them
// (GetPrivateProfileStringA), which is not always as the editor's loader reads them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/valuename.h"

// The file's Windows-1251 text as the setup reads it: after a UTF-8 or UTF-16 byte-order
// mark the text converted, else its bytes. Raises EInOutError "Cannot open file <name>"
// for a missing file or one that is no regular file, "File <name> is too large ..."
// beyond MaxConfigurationBytes, and "Cannot read file <name>: <reason>".
std::string SetupText(const std::string& fileName);

// The value that the profile functions give for the name in the text: every CR and LF
// ends a line; in the first section of that name (ignoring ASCII letter case only), the
// first line whose key (before its first "=", trimmed) is the name, ignoring ASCII letter
// case, gives its value trimmed, one pair of matching quotes removed, cut at a NUL.
// Nothing when no line is the key's, or its line has no "=" (the caller's default).
std::optional<std::string> SetupValue(std::string_view text, const TValueName& name);
