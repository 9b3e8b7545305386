#include "inifile/inifile.h"

std::string RemoveChar(const std::string& text, char c) {
  std::string result;
  result.reserve(text.size());
  for (char x : text)
    if (x != c) result.push_back(x);
  return result;
}

std::string TextBefore(const std::string& text, char c) {
  const size_t at = text.find(c);
  return at == std::string::npos ? text : text.substr(0, at);
}

std::string TextAfter(const std::string& text, char c) {
  const size_t at = text.find(c);
  return at == std::string::npos ? std::string() : text.substr(at + 1);
}

std::string NamePart(const std::string& line) { return TextBefore(line, '='); }

std::string ValuePart(const std::string& line) { return TextAfter(line, '='); }

void SetNameValue(TStringList& list, const std::string& name, const std::string& value) {
  const std::string line = name + "=" + value;
  const int32_t index = list.IndexOfName(name);
  if (index >= 0)
    list.Put(index, line);
  else
    list.Add(line);
}
