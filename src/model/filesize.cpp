#include "model/filesize_p.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "inifile/fileaccess_p.h"
#include "inifile/linefile_p.h"
#include "model/model.h"

void RefuseOversizedFile(const std::string& fileName) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(fileName, error);
  if (error || size <= MaxConfigurationBytes) return;
  throw EInOutError("File " + fileName +
                    " is too large for a configuration: " + std::to_string(size) +
                    " bytes, at most " + std::to_string(MaxConfigurationBytes) + " are read");
}

std::string ConfigurationFileBytes(const std::string& fileName) {
  RefuseOversizedFile(fileName);
  FileHandle handle = OpenFileHandle(fileName, FileAccess::Read, FileShare::Read | FileShare::Write,
                                     FileCreation::OpenExisting, FileAttributes::Normal);
  if (!IsOpenHandle(handle)) throw EInOutError("Cannot open file " + fileName);
  std::string bytes;
  const int error = ReadRestOfFile(handle, bytes);
  CloseFileHandle(handle);
  if (error != 0) throw EInOutError("Cannot read file " + fileName + ": " + std::strerror(error));
  return bytes;
}
