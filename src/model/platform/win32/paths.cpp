// Where the component catalogue lies on Windows: beside the running executable.
#include <cstring>
#include <stdexcept>
#include <string>

#include "inifile/platform/win32/text.h"
#include "model/model.h"

std::string CataloguePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      throw std::runtime_error(std::string("Не удалось определить путь программы: ") +
                               std::strerror(LastErrno()));
    }
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // cut off: try again with more room
  }
  return Utf8Text(path.substr(0, path.find_last_of(L"\\/") + 1)) + "version.ini";
}
