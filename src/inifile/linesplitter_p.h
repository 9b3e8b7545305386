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
  // The same next line together with the bytes that end it: CR LF, CR, LF,
  // or nothing for a last line without an end. The two calls may not be mixed.
  bool Next(std::string_view& line, std::string_view& end);

 private:
  std::string_view Data_;
  size_t Position_ = 0;
};
