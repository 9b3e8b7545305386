#include "inifile/linesplitter.h"

#include <algorithm>
#include <cstring>

namespace {

// Where c next occurs in data[from, size), or size.
size_t FindFrom(const char* data, size_t size, char c, size_t from) {
  const void* found = std::memchr(data + from, c, size - from);
  return found != nullptr ? static_cast<size_t>(static_cast<const char*>(found) - data) : size;
}

}  // namespace

bool TLineSplitter::Next(std::string_view& line) {
  const size_t size = Data_.size();
  if (Position_ >= size) return false;
  const char* data = Data_.data();
  if (data[Position_] == '\n' && Position_ > 0 && data[Position_ - 1] == '\r') ++Position_;
  if (!Searched_ || NextCr_ < Position_) NextCr_ = FindFrom(data, size, '\r', Position_);
  if (!Searched_ || NextLf_ < Position_) NextLf_ = FindFrom(data, size, '\n', Position_);
  Searched_ = true;
  const size_t end = std::min(NextCr_, NextLf_);
  line = std::string_view(data + Position_, end - Position_);
  Position_ = end < size ? end + 1 : end;
  return true;
}
