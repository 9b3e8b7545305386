#include "cp1251text.h"

#include "model/model.h"

std::string CrLf(const std::string& utf8) {
  std::string text;
  for (const char c : Utf8ToCp1251(utf8)) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}
