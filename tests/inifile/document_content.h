// The content of a document in one line, for comparing with an expected text.
#pragma once

#include <string>

#include "inifile/inifile.h"

// The document's content as WriteToStrings gives it, joined with "|".
inline std::string Content(TIniDocument& doc) {
  TStringList lines;
  doc.WriteToStrings(lines);
  std::string result;
  for (int32_t i = 0; i < lines.Count(); ++i) result += (i ? "|" : "") + lines[i];
  return result;
}
