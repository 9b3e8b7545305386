// Loading anything: every read operation works on whatever was loaded, and
// writing the document out and loading that again gives the same text.
#include <cstdint>
#include <string>
#include <string_view>

#include "inifile/inifile.h"
#include "reading_checks.h"

namespace {

void ReadEverything(TIniDocument& doc) {
  TStringList sections;
  doc.ReadSections(sections);
  for (int32_t s = 0; s < sections.Count(); ++s) {
    TStringList keys;
    TStringList values;
    doc.ReadSection(sections[s], keys);
    doc.ReadSectionValues(sections[s], values);
    for (int32_t k = 0; k < keys.Count(); ++k) {
      doc.ReadString(sections[s], keys[k], "");
      doc.ReadInteger(sections[s], keys[k], 0);
      doc.ReadBool(sections[s], keys[k], false);
    }
  }
  TStringList all;
  doc.WriteToStrings(all);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  TIniDocument doc("", true);
  doc.LoadText(input);
  ReadEverything(doc);
  const std::string text = doc.Text();
  TIniDocument again("", true);
  again.LoadText(text);
  if (again.Text() != text) {
    FailOnProblems({"written text: " + profile::Escape(text),
                    "read back and written again: " + profile::Escape(again.Text())},
                   "the written text does not load as itself", input);
  }
  return 0;
}
