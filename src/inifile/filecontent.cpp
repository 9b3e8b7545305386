#include "inifile/filecontent_p.h"

#include <cerrno>
#include <string>

TContentFacts ContentFacts(const TFileContent& content) {
  TContentFacts facts{0, 14695981039346656037u};
  content.Produce([&facts](std::string_view part) {
    facts.Size += part.size();
    for (const char c : part) {
      facts.Sum ^= static_cast<unsigned char>(c);
      facts.Sum *= 1099511628211u;
    }
  });
  return facts;
}

int WriteContent(const TFileContent& content, size_t piece,
                 const std::function<int(std::string_view)>& write, const uint64_t* expected) {
  std::string buffer;
  buffer.reserve(piece);
  uint64_t written = 0;
  int error = 0;
  const auto flush = [&] {
    if (error == 0 && !buffer.empty()) error = write(buffer);
    written += buffer.size();
    buffer.clear();
  };
  content.Produce([&](std::string_view part) {
    while (error == 0 && !part.empty()) {
      const size_t taken = std::min(part.size(), piece - buffer.size());
      buffer.append(part.substr(0, taken));
      part.remove_prefix(taken);
      if (buffer.size() == piece) flush();
    }
  });
  flush();
  if (error == 0 && expected != nullptr && written != *expected) error = EIO;
  return error;
}
