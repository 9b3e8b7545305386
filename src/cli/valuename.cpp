#include "cli/valuename.h"

#include <ostream>
#include <stdexcept>

#include "inifile/lettercase.h"
#include "model/cp1251.h"

namespace {

// Windows-1251 bytes of the UTF-8 text, or the reason why there are none.
std::string In1251(const std::string& utf8, const char* what) {
  try {
    return Utf8ToCp1251(utf8);
  } catch (const std::runtime_error& error) {
    throw std::runtime_error(std::string(what) + " не записать в Windows-1251: " + error.what());
  }
}

}  // namespace

TValueName ParseValueName(const std::string& utf8) {
  if (utf8.empty()) throw std::runtime_error("пустое имя");
  TValueName name{"Variables", In1251(utf8, "имя"), utf8};
  const size_t slash = name.Key.find('/');
  if (slash == std::string::npos) return name;
  for (const char* section : {"Config", "Display"}) {
    if (SameText(name.Key.substr(0, slash), section)) {
      name.Section = section;
      name.Key.erase(0, slash + 1);
      if (name.Key.empty()) throw std::runtime_error("пустое имя ключа");
      break;
    }
  }
  return name;
}

TValueChange ParseAssignment(const std::string& utf8) {
  const size_t equals = utf8.find('=');
  if (equals == std::string::npos) throw std::runtime_error("нет «=» между именем и значением");
  return {ParseValueName(utf8.substr(0, equals)), In1251(utf8.substr(equals + 1), "значение")};
}

std::optional<std::vector<TValueChange>> ParseChanges(const std::vector<std::string>& sets,
                                                      const std::vector<std::string>& unsets,
                                                      std::ostream& errors) {
  std::vector<TValueChange> changes;
  bool refused = false;
  const auto take = [&](const std::string& argument, bool set) {
    try {
      TValueChange change =
          set ? ParseAssignment(argument) : TValueChange{ParseValueName(argument), std::nullopt};
      for (const TValueChange& earlier : changes) {
        if (earlier.Name.Section == change.Name.Section &&
            SameText(earlier.Name.Key, change.Name.Key))
          throw std::runtime_error("имя «" + earlier.Name.Shown + "» названо дважды");
      }
      changes.push_back(std::move(change));
    } catch (const std::runtime_error& error) {
      errors << "vuka-manager: «" << argument << "»: " << error.what() << '\n';
      refused = true;
    }
  };
  for (const std::string& argument : sets) take(argument, true);
  for (const std::string& argument : unsets) take(argument, false);
  if (refused) return std::nullopt;
  return changes;
}
