// Loading anything: every read operation works on whatever was loaded,
// writing the document out and loading that again gives the same text, and a
// scan of the bytes finds exactly the sections and lines that loading keeps.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// Writes what a scan finds in the form of TStringList texts: a header line
// "[name]" for each section, then its lines as key=value.
class TScanRecord : public TIniVisitor {
 public:
  explicit TScanRecord(const std::vector<std::string>& names) : Names_(names) {}
  void Section(size_t which) override { Text += "[" + Names_[which] + "]\n"; }
  void Entry(size_t /*which*/, std::string_view key, std::string_view value) override {
    Text.append(key).append(1, '=').append(value).append(1, '\n');
  }
  std::string Text;

 private:
  const std::vector<std::string>& Names_;
};

// The scan of the input for every section that the document kept (and one
// name that no section has) against the document's own sections.
void CheckScanMatches(const TIniDocument& doc, std::string_view input) {
  std::vector<std::string> names{"no such section \x01"};
  std::string expected;
  for (int32_t s = 0; s < doc.Sections().Count(); ++s) {
    names.push_back(doc.Sections()[s]);
    expected += "[" + doc.Sections()[s] + "]\n";
    doc.Sections().Lines(s).ForEachText(
        [&expected](const std::string& line) { expected += line + "\n"; });
  }
  // The scan visits in file order; the document lists sections in that order too.
  TScanRecord scan(names);
  ScanIniText(input, names, scan);
  if (scan.Text != expected) {
    FailOnProblems(
        {"loaded: " + profile::Escape(expected), "scanned: " + profile::Escape(scan.Text)},
        "a scan does not find what loading keeps", input);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  TIniDocument doc("", true);
  doc.LoadText(input);
  ReadEverything(doc);
  CheckScanMatches(doc, input);
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
