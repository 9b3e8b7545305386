// Where the component catalogue lies: beside the running executable.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include "model/model.h"

std::string CataloguePath() {
  std::string path(256, '\0');
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0) {
      throw std::runtime_error(std::string("Не удалось определить путь программы: ") +
                               std::strerror(errno));
    }
    if (static_cast<size_t>(length) < path.size()) {
      path.resize(static_cast<size_t>(length));
      break;
    }
    path.resize(path.size() * 2);  // possibly cut off: try again with more room
  }
  return path.substr(0, path.rfind('/') + 1) + "version.ini";
}
