#include "cli/valueread.h"

#include <filesystem>

#include "inifile/inierror.h"
#include "inifile/lineforms_p.h"
#include "inifile/utf16text.h"
#include "model/filesize_p.h"

namespace {

bool SameAscii(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string SetupText(const std::string& fileName) {
  std::error_code ignored;
  // Checked first: a FIFO or device would block or never end.
  // The engine's names are UTF-8 on Windows, which a plain string would not say.
  const std::filesystem::path path(std::u8string(fileName.begin(), fileName.end()));
  if (!std::filesystem::is_regular_file(path, ignored))
    throw EInOutError("Cannot open file " + fileName);
  std::string bytes = ConfigurationFileBytes(fileName);
  std::string converted;
  if (FileTextIn1251(bytes, converted).data() == bytes.data()) return bytes;
  return converted;
}

std::optional<std::string> SetupValue(std::string_view text, const TValueName& name) {
  bool inSection = false;
  bool sectionSeen = false;
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    std::string_view header;
    if (ParseHeader(line, header)) {
      // Only the first section of a name is ever read.
      if (sectionSeen && inSection) return std::nullopt;
      inSection = !sectionSeen && SameAscii(header, name.Section);
      sectionSeen = sectionSeen || inSection;
      continue;
    }
    if (!inSection || TrimProfileSpace(line).empty()) continue;
    if (!SameAscii(ProfileKey(line), name.Key)) continue;
    if (line.find('=') == std::string_view::npos) return std::nullopt;
    return std::string(ProfileValue(line));
  }
  return std::nullopt;
}
