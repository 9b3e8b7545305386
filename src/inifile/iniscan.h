// Reading an INI file as a document would load it, without keeping it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Receives what a scan finds (see ScanIniFile).
class TIniVisitor {
 public:
  TIniVisitor() = default;
  TIniVisitor(const TIniVisitor&) = default;
  TIniVisitor& operator=(const TIniVisitor&) = default;
  virtual ~TIniVisitor() = default;

  // Every line of the file in turn, before the calls for it: its number (1 for the first, lines
  // ended as an editor ends them: by LF, CR LF or a lone CR) and its text as the document reads
  // it (a UTF-8 or UTF-16 file converted). Does nothing unless overridden.
  virtual void Line(size_t /*number*/, std::string_view /*text*/) {}
  // The header of the section that a document keeps for names[which].
  virtual void Section(size_t which) = 0;
  // One line that a document stores in that section, as key=value.
  virtual void Entry(size_t which, std::string_view key, std::string_view value) = 0;
};

// Reads the file as a read-only TIniDocument with every load option on loads
// it, but keeps nothing: for each of the names (distinct ignoring letter case)
// it finds the section that such a document keeps, the first one of that name
// ignoring letter case, calls visitor.Section at its header and then
// visitor.Entry for every line that the document stores in it, in file order,
// with `which` the name's index in names. Lines of other sections are only
// read past, so a file of any shape costs little more than what the visitor
// keeps. A missing file gives no calls. Raises EInOutError "Cannot open file
// <name>" when the file cannot be opened (with ": not a regular file" when it
// is a FIFO or a device), and "Cannot read file <name>:
// <reason>" when reading fails part way (after calls for what was read).
void ScanIniFile(const std::string& fileName, const std::vector<std::string>& names,
                 TIniVisitor& visitor);
// The same for bytes that a file would hold (as TIniDocument::LoadText takes them).
void ScanIniText(std::string_view data, const std::vector<std::string>& names,
                 TIniVisitor& visitor);
