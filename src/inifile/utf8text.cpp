#include "inifile/utf8text.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <stdexcept>

namespace {

// The length of the valid UTF-8 sequence at the start of text, or 0.
size_t ValidSequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4;
  if (length == 0 || length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  return length;
}

class TConverter {
 public:
  TConverter(const char* to, const char* from) : Handle_(::iconv_open(to, from)) {
    // iconv_open reports failure as the descriptor whose bits are all ones;
    // comparing its bits avoids making a pointer out of an integer.
    if (reinterpret_cast<std::uintptr_t>(Handle_) == UINTPTR_MAX)
      throw std::runtime_error(std::string("The C library cannot convert ") + from + " to " + to);
  }
  ~TConverter() { ::iconv_close(Handle_); }
  TConverter(const TConverter&) = delete;
  TConverter& operator=(const TConverter&) = delete;

  // Converts as much as it can; returns false at a sequence it cannot convert.
  bool Convert(std::string_view& in, std::string& out) {
    char buffer[4096];
    while (!in.empty()) {
      char* source = const_cast<char*>(in.data());
      size_t sourceLeft = in.size();
      char* target = buffer;
      size_t targetLeft = sizeof buffer;
      const size_t rc = ::iconv(Handle_, &source, &sourceLeft, &target, &targetLeft);
      out.append(buffer, static_cast<size_t>(target - buffer));
      in.remove_prefix(in.size() - sourceLeft);
      if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
        ::iconv(Handle_, nullptr, nullptr, nullptr, nullptr);  // reset the shift state
        return false;
      }
    }
    return true;
  }

 private:
  iconv_t Handle_;
};

}  // namespace

std::string Utf8ToWindows1251(std::string_view utf8) {
  TConverter converter("CP1251", "UTF-8");
  std::string result;
  result.reserve(utf8.size());
  while (!converter.Convert(utf8, result)) {
    // An invalid byte, or a character that Windows-1251 lacks: one "?" for it.
    const size_t length = ValidSequenceLength(utf8);
    utf8.remove_prefix(length == 0 ? 1 : length);
    result.push_back('?');
  }
  return result;
}

std::string Windows1251ToUtf8(std::string_view text) {
  TConverter converter("UTF-8", "CP1251");
  std::string result;
  result.reserve(text.size() * 2);
  while (!converter.Convert(text, result)) {
    text.remove_prefix(1);
    result.push_back('?');
  }
  return result;
}
