#include "inifile/entryform_p.h"

#include <cstring>

#include "inifile/lineforms_p.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsControlOrSpace(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

bool IsIgnoredLine(std::string_view line, bool stripComments) {
  if (line.empty()) return true;
  if (line.size() == 1 && line[0] == '\x1A') return true;
  return stripComments && line[0] == ';';
}

bool MayBeHeader(std::string_view line) { return line[0] == '[' || IsProfileSpace(line[0]); }

void SplitEntry(std::string_view line, size_t eq, const TEntryOptions& options,
                std::string_view& key, std::string_view& value, TEntryFacts* facts) {
  key = line.substr(0, eq);
  value = line.substr(eq + 1);
  if (options.TrimAroundEquals) {
    while (!key.empty() && IsBlank(key.back())) key.remove_suffix(1);
    if (!key.empty())
      while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
    if (facts != nullptr)
      facts->Suspect = MayReadDifferently(key, value, line.back(), facts->HasNul);
  }
  if (options.TrimTrailing)
    while (!value.empty() && IsControlOrSpace(value.back())) value.remove_suffix(1);
  if (options.Unquote && !key.empty() && value.size() >= 2 && value.front() == value.back() &&
      (value.front() == '"' || value.front() == '\''))
    value = value.substr(1, value.size() - 2);
}

bool NormaliseEntry(std::string_view line, const TEntryOptions& options, std::string& stored,
                    TEntryFacts& facts) {
  facts.HasNul = std::memchr(line.data(), '\0', line.size()) != nullptr;
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) {
    if (options.TrimTrailing)
      while (!line.empty() && IsControlOrSpace(line.back())) line.remove_suffix(1);
    stored = line;
    return !options.SkipLinesWithoutEquals;
  }
  std::string_view key, value;
  SplitEntry(line, eq, options, key, value, &facts);
  stored.reserve(key.size() + 1 + value.size());
  stored.append(key).append(1, '=').append(value);
  facts.KeySize = key.size();
  return true;
}
