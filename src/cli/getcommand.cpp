#include "cli/getcommand.h"

#include <exception>
#include <string>

#include "cli/valueread.h"
#include "model/cp1251.h"

int GetValue(const std::string& fileName, const TValueName& name, std::ostream& out,
             std::ostream& errors) {
  try {
    const std::optional<std::string> value = SetupValue(SetupText(fileName), name);
    if (!value) return kGetAbsent;
    out << Cp1251ToUtf8(*value) << '\n' << std::flush;
    return kGetFound;
  } catch (const std::exception& error) {
    errors << "vuka-manager: " << error.what() << '\n';
    return kGetFailed;
  }
}
