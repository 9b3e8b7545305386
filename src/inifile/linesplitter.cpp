#include "inifile/linesplitter.h"

#include <algorithm>

bool TLineSplitter::Next(std::string_view& line) {
  if (Position_ >= Data_.size()) return false;
  if (Data_[Position_] == '\n' && Position_ > 0 && Data_[Position_ - 1] == '\r') ++Position_;
  const size_t cr = Data_.find('\r', Position_);
  const size_t lf = Data_.substr(0, cr).find('\n', Position_);
  const size_t end = std::min({cr, lf, Data_.size()});
  line = Data_.substr(Position_, end - Position_);
  Position_ = end < Data_.size() ? end + 1 : end;
  return true;
}
