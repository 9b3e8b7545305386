// Comparing projects item by item in tests.
#pragma once

#include <string>

#include "model/model.h"

// Windows-1251 bytes of a UTF-8 literal.
inline std::string Cp(const std::string& utf8) { return Utf8ToCp1251(utf8); }

// Texts of items for messages and table checks.
std::string FontText(const TFontDesc& font);  // "name|size|colour|B|I|U|S", colour in hex
std::string ColorText(TColor color);          // hex digits of the raw value
// "name+,name-,code?+,...,selected N" with + for ticked and ? for an unknown code's
// entry, then ", order 2 0" when the ticked entries' order is not the list's
std::string ListText(const TCheckList& list);

// The items of the two projects that differ, one "item: a <> b" line each; empty when
// equal. The origin is not compared.
std::string ProjectDifference(const TProject& a, const TProject& b);
