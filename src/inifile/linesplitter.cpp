#include "inifile/linesplitter.h"

#include <algorithm>

bool TLineSplitter::Next(std::string_view& line) {
  if (Position_ >= Data_.size()) return false;
  if (Data_[Position_] == '\n' && Position_ > 0 && Data_[Position_ - 1] == '\r') ++Position_;
  if (!Searched_ || NextCr_ < Position_) NextCr_ = Data_.find('\r', Position_);
  if (!Searched_ || NextLf_ < Position_) NextLf_ = Data_.find('\n', Position_);
  Searched_ = true;
  const size_t end = std::min({NextCr_, NextLf_, Data_.size()});
  line = Data_.substr(Position_, end - Position_);
  Position_ = end < Data_.size() ? end + 1 : end;
  return true;
}
