// The value forms of the configuration file read back: each parser takes the
// value text (Windows-1251) and either fills its result and returns an empty
// text, or leaves the result alone and returns why the value is unusable
// (UTF-8, Russian, to follow "«section» / «key» = «value»: ").
#pragma once

#include <string>

#include "model/model.h"

// The largest font size that is read back, in points.
inline constexpr int32_t kMaxFontSize = 1000;

// "1" or "0".
std::string ParseBoolValue(const std::string& text, bool& value);
// "$" and one or more hexadecimal digits (either case) of an ordinary colour.
std::string ParseColorValue(const std::string& text, TColor& color);
// "face,size,$colour" then ",B" when bold and "I" when italic, read from the
// right so that a face may hold commas. Underline and strike-out come back off.
std::string ParseFontValue(const std::string& text, TFontDesc& font);
// "h,v": two indices from 0 to 2; blanks around each are allowed.
std::string ParseDialogPosition(const std::string& text, TDialogPosition& position);

// True when the text holds a byte below 32 or the byte 127.
bool HoldsControlByte(const std::string& text);
// A variable name that Save stores and reads back as the same key: not empty,
// no "=", no control byte, no blank or tab at either end, not starting with ";" or "[".
bool IsStorableVariableName(const std::string& name);

// Windows-1251 text shown in a UTF-8 message: its first 80 bytes (then "…"),
// with each control byte shown as U+FFFD.
std::string ShownText(const std::string& text);
