// The engine's error type, apart from the file API so that callers can catch it
// without seeing file handles.
#pragma once

#include <stdexcept>

// An input or output failure: a file that cannot be opened, read or written,
// or a text that cannot be stored faithfully. The message names the file or text.
class EInOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
