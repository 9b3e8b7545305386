// Splits a whole file's bytes into the very lines that ReadLine yields when
// called until AtEndOfFile: a CR ends a line, LF bytes are dropped.
#pragma once

#include <string>
#include <string_view>

class TLineSplitter {
 public:
  explicit TLineSplitter(std::string_view data) : Data_(data) {}
  // The next line, or false at the end. The view stays valid until the next call.
  bool Next(std::string_view& line);

 private:
  std::string_view Data_;
  size_t Position_ = 0;
  std::string Buffer_;  // for lines that contain LF bytes
};
