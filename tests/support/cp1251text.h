// Windows-1251 texts for tests. The conversion itself is the model's
// Utf8ToCp1251 and Cp1251ToUtf8WithReplacementChar; this adds how the files hold them.
#pragma once

#include <string>

// The UTF-8 text in Windows-1251 with every "\n" turned into CR LF: how files are written.
// Throws what Utf8ToCp1251 throws for a character outside the code page.
std::string CrLf(const std::string& utf8);
