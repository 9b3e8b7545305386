// Files that start with a UTF-16 byte-order mark (FF FE little-endian, as Windows
// writes them, or FE FF big-endian) hold UTF-16 text. The document keeps such a
// file in the form of a UTF-8 file (mark EF BB BF, then the text in UTF-8), which
// it reads and writes as any UTF-8 file, and turns it back into UTF-16 to write it.
#pragma once

#include <string>
#include <string_view>

// The UTF-16 form of a file: its byte order and an odd last byte, which is no
// part of the text (readers ignore it) and is written back at the end.
struct TUtf16Form {
  enum class TOrder : unsigned char { None, Little, Big };
  TOrder Order = TOrder::None;
  std::string Tail;
  bool operator==(const TUtf16Form&) const = default;
};

// The order that the mark at the start of the data names, None without one.
TUtf16Form::TOrder Utf16OrderOf(std::string_view data);

// The UTF-16 file's bytes (mark included) as a UTF-8 file: the UTF-8 mark, then
// each character in UTF-8, and each unpaired surrogate as the three bytes that
// UTF-8 would give its code (so that it comes back unchanged; reading turns it
// into "?" as it does any byte sequence that is no character). form receives the
// order and the odd last byte. Never fails.
std::string Utf16FileToUtf8(std::string_view bytes, TUtf16Form& form);

// The inverse: the bytes of a UTF-8 file (from Utf16FileToUtf8, with lines
// changed or added in UTF-8) as the UTF-16 file of that form, mark and odd last
// byte included. Utf16FileToUtf8 of a file and back gives its very bytes. A byte
// that starts no sequence becomes U+FFFD.
std::string Utf8FileToUtf16(std::string_view utf8, const TUtf16Form& form);

// The Windows-1251 text that the setup reads from a file's bytes: after a UTF-8
// or UTF-16 mark the text converted as Utf8ToWindows1251 converts (into
// converted, which the result then views), else the bytes themselves.
std::string_view FileTextIn1251(std::string_view bytes, std::string& converted);
