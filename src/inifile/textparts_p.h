// Text helpers for INI lines: parts of a text around a byte, the name and
// value of a "name=value" line, hexadecimal digits.
#pragma once

#include <string>

#include "inifile/stringlist.h"

std::string RemoveChar(const std::string& text, char c);
std::string TextBefore(const std::string& text, char c);  // whole text without c
std::string TextAfter(const std::string& text, char c);   // empty without c
// The value of a hexadecimal digit (either case), or -1 for any other byte.
int HexDigit(char c);
std::string NamePart(const std::string& line);
std::string ValuePart(const std::string& line);
// Replaces the first line whose name matches (ignoring case) by name=value,
// or appends name=value.
void SetNameValue(TStringList& list, const std::string& name, const std::string& value);
