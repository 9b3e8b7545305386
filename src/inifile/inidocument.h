// The in-memory INI document: it normalises what it loads and, when it is flushed, rewrites in its
// file only the lines it changed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "inifile/filehandle.h"
#include "inifile/inierror.h"
#include "inifile/sectionlist.h"

class TFileLayout;

class TIniDocument {
 public:
  // All five load options on.
  TIniDocument(const std::string& fileName, bool readOnly);
  TIniDocument(const std::string& fileName, bool readOnly, bool stripComments,
               bool skipLinesWithoutEquals, bool trimAroundEquals, bool unquote, bool trimTrailing);
  // A writable document, all five load options on, that loads only the sections named in `sections`
  // (ignoring letter case; an empty list names them all): every other section stays in the file
  // byte for byte and costs no more than its header's place, so that a large file of many sections
  // can be updated in little memory. The document neither lists nor reads the other sections, and a
  // call that would write, erase or delete in one of them raises std::invalid_argument. Loading
  // names them all when the file is written in the normal form (see Text()), which keeps no layout.
  // LoadText into such a document that holds sections already raises std::logic_error: the text
  // would end the layout that keeps the others.
  TIniDocument(const std::string& fileName, std::vector<std::string> sections);
  // Flushes like UpdateFile, swallowing its error, then releases the file. It writes nothing once
  // an UpdateFile of this document has failed (until a later one succeeds), nor while an exception
  // unwinds past it: a save that reported failure, or was abandoned, leaves the file as it was.
  virtual ~TIniDocument();
  TIniDocument(const TIniDocument&) = delete;
  TIniDocument& operator=(const TIniDocument&) = delete;

  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue);
  // Raises EInOutError naming the text, and changes nothing, when it cannot be stored so that it
  // reads back as given: a line break anywhere, a NUL in the value or section name, white space at
  // either end of the section name, or a key with a blank or tab at either end, an "=", a leading
  // ";" or "[" or a control byte; likewise when an earlier section whose name holds a NUL reads
  // under the section's name in the profile reader. Replaces the line that the profile reader reads
  // for the key, also when the file names it with bytes that only that reader trims or cuts
  // (" key\x0B="). A line that holds the key in other letter case with the same value counts as
  // equal: it stays as it is and Modified is not set, unless the file holds before it a line
  // without "=" that the profile reader reads for the key instead: that line then goes at the next
  // save, and Modified is set.
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value);
  // Raises EInOutError exactly when WriteString would refuse these texts, and changes nothing: a
  // caller can check a batch of writes before the first.
  void CheckWrite(const std::string& section, const std::string& key,
                  const std::string& value) const;
  virtual int32_t ReadInteger(const std::string& section, const std::string& key,
                              int32_t defaultValue);
  virtual void WriteInteger(const std::string& section, const std::string& key, int32_t value);
  virtual bool ReadBool(const std::string& section, const std::string& key, bool defaultValue);
  virtual void WriteBool(const std::string& section, const std::string& key, bool value);
  virtual void ReadSection(const std::string& section, TStringList& strings);
  virtual void ReadSections(TStringList& strings);
  virtual void ReadSectionValues(const std::string& section, TStringList& strings);
  virtual void EraseSection(const std::string& section);
  // Deletes the key's first line of the section. When a later line of the key remains, which the
  // document then reads, a line without "=" before it that the profile reader reads for the key
  // instead goes at the next save.
  virtual void DeleteKey(const std::string& section, const std::string& key);
  // Deletes every line of the section whose key equals one of keys ignoring case, as DeleteKey for
  // each line would, in one pass over the section. A missing section is not created.
  void DeleteKeys(const std::string& section, const std::vector<std::string>& keys);
  virtual void WriteToStrings(TStringList& strings);
  // Writes Text() to the file when the document is modified, through a temporary file renamed over
  // it (or in place through a recovery copy, see inplace_p.h), so that the file always holds either
  // the old or the new text (see ReplaceFileContent in fileaccess_p.h); the document then holds the
  // new file, still locked against other writers. A text equal to the file's bytes is not written:
  // the file keeps its time stamp. Raises EInOutError "Cannot write file <name>: <reason>" when a
  // writable document with a file name cannot be written; Modified then stays set, the file keeps
  // its previous content and no file is left behind.
  virtual void UpdateFile();
  // UpdateFile, then lets go of the file as SetFileName("") does: the document is emptied and holds
  // no file. The new text is written as it is made and never held whole, so that saving a large
  // file costs little more than the document. When writing fails it raises as UpdateFile does, and
  // the document stays as it was.
  void UpdateFileAndRelease();
  // Flushes, releases the current file, empties the document and loads the named file. Raises
  // EInOutError "Cannot open file <name>" when the file exists but cannot be opened, "Cannot open
  // file <name>: not a regular file" when it is a FIFO or a device (see RegularFileSize); so do the
  // constructors. Loading first finishes an in-place save of the file that was killed (see
  // CompleteInterruptedRewrite in inplace_p.h); when that fails it raises "Cannot open file <name>:
  // <reason>".
  void SetFileName(const std::string& fileName);

  // Parses bytes exactly as loading a file with that content does (line ends, normalisation,
  // duplicate sections), appending to the document's sections. A writable document keeps their
  // layout when it was empty, as loading a file does (see Text()); appended to sections that the
  // document holds already, they end any kept layout. Touches no file and does not change Modified.
  // The seam that tests and fuzzers use without files.
  void LoadText(std::string_view data);
  // The text that UpdateFile writes. For a writable document that loaded an existing, non-empty
  // file (or LoadText its bytes), the file's bytes with only the lines that changed: every other
  // line stays byte for byte, comments, empty sections and lines before the first header included
  // (see TFileLayout::Render for where lines go). A file that starts with a byte-order mark keeps
  // it, and changed lines are written in its encoding: UTF-8, or UTF-16 in the file's byte order
  // (see utf16text.h). Otherwise the normal form: every section with lines, CR LF ends. Either way
  // loading it gives the same sections, keys and values: a written value that loading would change
  // goes inside double quotes (with the Unquote option).
  std::string Text() const;

  const std::string& FileName() const { return FileName_; }
  FileHandle Handle() const { return Handle_; }
  bool Modified() const { return Modified_; }
  // Sets Modified, so that UpdateFile writes the text even when no call changed it: how text that
  // LoadText took reaches a file that does not hold it.
  void MarkModified() { Modified_ = true; }
  bool ReadOnly() const { return ReadOnly_; }
  TSectionList& Sections() { return Sections_; }
  const TSectionList& Sections() const { return Sections_; }

  TDuplicateSectionEvent OnDuplicateSection;

 protected:
  void Load(const std::string& fileName);
  void ClearSections();
  // Index of the key's line in its section, or -1; lines is the section's line list, or null when
  // the section is missing and create is off.
  int32_t FindKey(const std::string& section, const std::string& key, bool create,
                  TStringList*& lines);

 private:
  struct TState;  // see inidocumentstate_p.h
  std::string FileName_;
  FileHandle Handle_ = 0;
  bool Modified_ = false;
  bool ReadOnly_ = false;
  TSectionList Sections_;
  int32_t CurrentSection_ = 0;
  std::unique_ptr<TState> State_;
  void LoadBytes(std::string bytes, bool keep);
  void ParseText(std::string_view data, TFileLayout* layout);
  int WriteLayout(bool keep);
  void WriteIfModified(bool keep);
  void NormalForm(const std::function<void(std::string_view)>& put) const;
  class TNormalContent;
  void Reopen(const std::string& fileName);
  int32_t LineToWrite(const TStringList& lines, const std::string& key, int32_t found) const;
};
