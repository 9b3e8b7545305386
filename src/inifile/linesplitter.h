// Splits a whole file's bytes into the very lines that ReadLine yields when
// called until AtEndOfFile: a CR ends a line, so does a LF unless it directly
// follows a CR (the LF of a CR LF pair is dropped). Linear in the data's size,
// whichever line ends it uses.
#pragma once

#include <string_view>

class TLineSplitter {
 public:
  explicit TLineSplitter(std::string_view data) : Data_(data) {}
  // The next line, or false at the end. The view points into the data.
  bool Next(std::string_view& line);

 private:
  std::string_view Data_;
  size_t Position_ = 0;
};
