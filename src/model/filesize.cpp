#include "model/filesize_p.h"

#include <filesystem>
#include <system_error>

#include "model/model.h"

void RefuseOversizedFile(const std::string& fileName) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(fileName, error);
  if (error || size <= MaxConfigurationBytes) return;
  throw EInOutError("File " + fileName +
                    " is too large for a configuration: " + std::to_string(size) +
                    " bytes, at most " + std::to_string(MaxConfigurationBytes) + " are read");
}
