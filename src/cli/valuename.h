// The names and values of --get, --set and --unset: a variable of "Variables", or
// "Section/Key" for a key of "Config" or "Display".
#pragma once

#include <optional>
#include <string>
#include <vector>

struct TValueName {
  std::string Section;  // "Variables", "Config" or "Display"
  std::string Key;      // Windows-1251
  std::string Shown;    // the name as given, UTF-8
};

// One change that --set (with a value) or --unset (without) asks for.
struct TValueChange {
  TValueName Name;
  std::optional<std::string> Value;  // Windows-1251
};

// The name as given in UTF-8: "Config/KEY" and "Display/KEY" (section names ignoring
// letter case) name those sections' keys, anything else a variable. Raises
// std::runtime_error (UTF-8) saying why when the name is empty or Windows-1251
// cannot hold it.
TValueName ParseValueName(const std::string& utf8);

// "NAME=VALUE" of --set, split at the first "=", as ParseValueName and with the value
// in Windows-1251; raises std::runtime_error saying why it cannot be one.
TValueChange ParseAssignment(const std::string& utf8);

// The changes of every --set and then every --unset. Each argument that cannot be one,
// and each name given twice (ignoring letter case), is told on a line of `errors` as
// "vuka-manager: «ARGUMENT»: reason"; then nothing is returned.
std::optional<std::vector<TValueChange>> ParseChanges(const std::vector<std::string>& sets,
                                                      const std::vector<std::string>& unsets,
                                                      std::ostream& errors);
