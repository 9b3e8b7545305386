#include "inifile/linesplitter.h"

bool TLineSplitter::Next(std::string_view& line) {
  if (Position_ >= Data_.size()) return false;
  if (Data_[Position_] == '\n' && Position_ > 0 && Data_[Position_ - 1] == '\r') ++Position_;
  size_t end = Position_;
  while (end < Data_.size() && Data_[end] != '\r' && Data_[end] != '\n') ++end;
  line = Data_.substr(Position_, end - Position_);
  Position_ = end < Data_.size() ? end + 1 : end;
  return true;
}
