// What an INI document remembers beside its sections: how it loads, the layout
// of its file, and the lines that the profile reader reads otherwise than the
// document stores them. Inside the engine only.
#pragma once

#include <exception>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "inifile/entryform_p.h"
#include "inifile/filelayout_p.h"
#include "inifile/inidocument.h"
#include "inifile/utf16text.h"

struct TIniDocument::TState {
  bool StripComments = true;
  TEntryOptions Options = EveryEntryOption;
  int OpenError = 0;                                 // errno of a failed open for writing
  bool FlushFailed = false;                          // the last UpdateFile raised
  int UncaughtAtBirth = std::uncaught_exceptions();  // as the document was constructed
  // The only sections loaded while the file's layout is kept; empty for all.
  std::vector<std::string> Only;
  // Loaded entry lines whose value the Windows profile reader reads otherwise
  // than loading stored it (control bytes at the end that loading trims, or
  // at the start that only the reader trims), by line list and stored line:
  // written back as they were while unchanged.
  std::map<std::pair<const TStringList*, std::string>, std::string> KeptLines;
  // Loaded entry lines that the profile reader finds under another key than
  // the document does (profile white space at either end of the name, a NUL
  // in it), by line list and the reader's key in lower case: a write of that
  // key looks for the line that the reader reads. Lines since gone may stay.
  std::set<std::pair<const TStringList*, std::string>> OtherNamedKeys;
  // Loaded section names that hold a NUL, by the name that the profile reader
  // reads (cut at the NUL) in lower case: such a section hides a later one.
  std::multimap<std::string, std::string> NulSections;
  // The layout of the loaded file, or null when the document writes the normal form.
  std::unique_ptr<TFileLayout> Layout;
  // A layout of a UTF-16 file holds it as a UTF-8 file: the file's byte order and
  // odd last byte, to write it back as UTF-16 (see utf16text.h).
  TUtf16Form Utf16;

  // Raises std::invalid_argument when the document does not load the section.
  void CheckLoaded(const std::string& section) const;
  // The text of the layout as the file holds it: converted back to UTF-16 for a UTF-16 file.
  std::string FileForm(std::string text) const;
  // Lets a kept line go once its text changed: it is then written as stored.
  void ForgetKeptLine(const TStringList* lines, const std::string& line);
};
