#include "inifile/linesplitter.h"

#include <cstring>

bool TLineSplitter::Next(std::string_view& line) {
  if (Position_ >= Data_.size()) return false;
  const char* begin = Data_.data() + Position_;
  const size_t rest = Data_.size() - Position_;
  const void* cr = std::memchr(begin, '\r', rest);
  const size_t length = cr ? static_cast<size_t>(static_cast<const char*>(cr) - begin) : rest;
  Position_ += cr ? length + 1 : length;

  std::string_view raw(begin, length);
  // The LF of a CR LF pair opens the next line: the common case needs no copy.
  if (!raw.empty() && raw.front() == '\n') raw.remove_prefix(1);
  if (raw.find('\n') == std::string_view::npos) {
    line = raw;
    return true;
  }
  Buffer_.clear();
  for (char c : raw)
    if (c != '\n') Buffer_.push_back(c);
  line = Buffer_;
  return true;
}
