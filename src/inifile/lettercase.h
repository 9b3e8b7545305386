// Letter case in the engine's texts: ASCII and the Windows-1251 Cyrillic
// letters fold to lower case; every other byte compares as it is.
#pragma once

#include <string>
#include <string_view>

// The lower-case form of a Windows-1251 byte; other bytes are returned as they are.
unsigned char FoldCase(unsigned char c);
// <0, 0 or >0 like strcmp, comparing the case-folded bytes as unsigned values.
int CompareText(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);
// SameText for views, which need not be strings of their own.
bool SameFolded(std::string_view a, std::string_view b);
// The text with every letter in lower case (see FoldCase).
std::string FoldedText(std::string_view text);
