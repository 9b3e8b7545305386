// The INI file engine: line-oriented file access on open descriptors, an
// ordered string list, and an in-memory INI document that normalises what it
// loads and, when it is flushed, rewrites in its file only the lines it changed.
//
// All texts are 8-bit bytes (Windows-1251 for Russian texts), taken over
// without any conversion. Comparisons that ignore letter case fold ASCII and
// the Windows-1251 Cyrillic letters; every other byte compares as it is.
#pragma once

#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// ---------------------------------------------------------------------------
// Letter case

// The lower-case form of a Windows-1251 byte; other bytes are returned as they are.
unsigned char FoldCase(unsigned char c);
// <0, 0 or >0 like strcmp, comparing the case-folded bytes as unsigned values.
int CompareText(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);
// SameText for views, which need not be strings of their own.
bool SameFolded(std::string_view a, std::string_view b);
// The text with every letter in lower case (see FoldCase).
std::string FoldedText(std::string_view text);

#include "inifile/inierror.h"
#include "inifile/utf16text.h"

// ---------------------------------------------------------------------------
// String list

// An ordered list of texts, each with an optional associated list that this
// class does not own.
class TStringList {
 public:
  TStringList() = default;
  TStringList(const TStringList&) = default;
  TStringList& operator=(const TStringList&) = default;
  virtual ~TStringList() = default;

  int32_t Add(std::string text);  // returns the new index
  int32_t AddObject(std::string text, TStringList* object);
  void Insert(int32_t index, std::string text, TStringList* object = nullptr);
  int32_t Count() const { return static_cast<int32_t>(Items_.size()); }
  const std::string& operator[](int32_t index) const;
  // Calls visit(text) with every entry's text in order: cheaper than indexing
  // each entry when walking a whole long list.
  template <class Visit>
  void ForEachText(Visit&& visit) const {
    for (const Item& item : Items_) visit(item.Text);
  }
  void Put(int32_t index, std::string text);  // replaces the text, keeps the object
  TStringList* Objects(int32_t index) const;
  void PutObject(int32_t index, TStringList* object);
  virtual void Delete(int32_t index);
  // Deletes, in one pass, every entry whose text `doomed` accepts, keeping the
  // others in their order; returns how many went. Objects are treated as by Delete.
  virtual int32_t DeleteIf(const std::function<bool(const std::string&)>& doomed);
  virtual void Clear();
  // Index of the first entry equal to the text ignoring case, or -1.
  virtual int32_t IndexOf(const std::string& text) const;
  // Index of the first entry whose name (text before its first "=") equals
  // the name ignoring case, or -1. Entries without "=" never match.
  int32_t IndexOfName(const std::string& name) const;
  void Sort();  // by text ignoring case; entries keep their objects
  virtual void Assign(const TStringList& source);

 protected:
  struct Item {
    std::string Text;
    TStringList* Object = nullptr;
  };
  // In blocks, so that a growing list never holds its entries twice.
  using TItems = std::deque<Item>;

  // Finds the first entry whose whole text, or whose name (text before its
  // first "="), equals a key ignoring case, in about constant time: a hash
  // table covers the entries up to the first one changed since it was built,
  // the rest are compared one by one, and the table is rebuilt once such
  // comparisons have cost as much as a rebuild. Every change of the entries
  // must be reported to it. A copy starts empty.
  class TKeyIndex {
   public:
    explicit TKeyIndex(bool byName) : ByName_(byName) {}
    TKeyIndex(const TKeyIndex& other) : ByName_(other.ByName_) {}
    TKeyIndex& operator=(const TKeyIndex& /*other*/) {
      Reset();
      return *this;
    }
    ~TKeyIndex() = default;

    void Reset();
    // The last entry is new; an index not built yet has nothing to do.
    void Appended(const TItems& items) {
      if (!Slots_.empty()) Extend(items);
    }
    void ChangedFrom(int32_t index);  // entries from index on moved or changed
    void Replaced(int32_t index, const std::string& before, const std::string& after);
    // The first matching entry at or after start, else the first one before
    // it (a search that wraps around); -1 when none matches.
    int32_t Find(const TItems& items, const std::string& key, int32_t start);

   private:
    struct Slot {
      uint32_t Hash;
      int32_t Position;  // -1: empty
    };
    std::string_view KeyOf(const std::string& text, bool& indexed) const;
    bool Matches(const std::string& text, const std::string& key) const;
    int32_t Linear(const TItems& items, const std::string& key, int32_t start) const;
    int32_t Lookup(const TItems& items, std::string_view key, uint32_t hash) const;
    void Insert(const TItems& items, int32_t position);
    void Extend(const TItems& items);  // Appended with a built table
    void Grow();
    void Rebuild(const TItems& items);

    bool ByName_;
    bool Duplicates_ = false;  // some key occurs twice among the covered entries
    int32_t Valid_ = 0;        // entries [0, Valid_) are unchanged since they were indexed
    int32_t Covered_ = 0;      // the table holds entries [0, Covered_)
    int32_t Used_ = 0;         // occupied slots
    int64_t Work_ = 0;         // entries compared one by one since the last rebuild
    std::vector<Slot> Slots_;
  };

  void CheckIndex(int32_t index, bool allowEnd = false) const;
  // DeleteIf's work: removes the entries that doomed accepts (it is called once
  // for each entry, in order), keeping the others in order; returns how many went.
  int32_t RemoveItems(const std::function<bool(Item&)>& doomed);
  void ItemsChangedFrom(int32_t index) const;
  void ItemsReset() const;
  TItems Items_;
  mutable TKeyIndex TextIndex_{false};
  mutable TKeyIndex NameIndex_{true};
};

// ---------------------------------------------------------------------------
// Line file access

// File access goes through this section and posixfile.h only; each platform
// implements it in files of its own (linefile.cpp, posixfile.cpp and
// filereplace.cpp on POSIX systems, the win32*.cpp files on Windows). File
// names are UTF-8 on Windows, the system's bytes elsewhere.
//
// Zero: no file open. INVALID_HANDLE_VALUE: a failed open. Otherwise the
// descriptor plus one (a descriptor may be 0), or on Windows the HANDLE.
using FileHandle = std::intptr_t;
inline constexpr FileHandle INVALID_HANDLE_VALUE = -1;

inline constexpr uint32_t GENERIC_READ = 0x80000000u;
inline constexpr uint32_t GENERIC_WRITE = 0x40000000u;
inline constexpr uint32_t FILE_SHARE_READ = 0x00000001u;
inline constexpr uint32_t FILE_SHARE_WRITE = 0x00000002u;
inline constexpr uint32_t CREATE_NEW = 1;
inline constexpr uint32_t CREATE_ALWAYS = 2;
inline constexpr uint32_t OPEN_EXISTING = 3;
inline constexpr uint32_t OPEN_ALWAYS = 4;
inline constexpr uint32_t TRUNCATE_EXISTING = 5;
inline constexpr uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x00000010u;
inline constexpr uint32_t FILE_ATTRIBUTE_NORMAL = 0x00000080u;

// Opens with the given access, sharing, creation rule and attributes, without
// waiting for the other end of a FIFO. An
// opener with write access takes an exclusive lock without waiting, so a
// second writer fails, also in the same process; a reader that does not
// share writing takes a shared lock; other readers take none. A lock is
// kept only on the file that the name still leads to once it is held (a
// writer may have renamed a new file over the one just opened): otherwise
// the open is tried again, and fails with EAGAIN after a hundred tries. On
// failure returns INVALID_HANDLE_VALUE with errno set (on Windows: the errno that
// the same failure gives on POSIX systems).
FileHandle OpenFileHandle(const std::string& fileName, uint32_t access, uint32_t shareMode,
                          uint32_t creation, uint32_t attributes);
void CloseFileHandle(FileHandle& handle);
bool IsOpenHandle(FileHandle handle);
uint32_t CurrentFilePosition(FileHandle handle);
bool AtEndOfFile(FileHandle handle);
// The next line: a CR ends it, and so does a LF, except that a LF directly
// after a CR is dropped. Reads 100-byte chunks and leaves the file pointer on
// the byte after the line end.
std::string ReadLine(FileHandle handle);
// Writes the text and CR LF in one request; the outcome is not checked.
void WriteLine(FileHandle handle, const std::string& text);
bool IsDirectory(const std::string& path);
// Creates the directory and its missing ancestors; failures are silent.
void EnsureDirectory(const std::string& path);
// True when a file that is not a directory has this name.
bool IsExistingFile(const std::string& fileName);
// True, with the file's size in bytes, when the open handle is a regular file
// (on Windows: a file on a disk); false for a FIFO, a device, a directory, or
// when its kind cannot be told. Loading refuses every other kind of file: one
// could block for ever or never end.
bool RegularFileSize(FileHandle handle, std::uint64_t& size);
// True when both names lead to one existing file (through links, too).
bool IsSameFile(const std::string& first, const std::string& second);
// The leading part of the name up to and including its last directory
// separator ("/", on Windows also "\"); empty for a bare name.
std::string DirectoryPart(const std::string& fileName);

// ---------------------------------------------------------------------------
// Text helpers

std::string RemoveChar(const std::string& text, char c);
std::string TextBefore(const std::string& text, char c);  // whole text without c
std::string TextAfter(const std::string& text, char c);   // empty without c
// The value of a hexadecimal digit (either case), or -1 for any other byte.
int HexDigit(char c);
std::string NamePart(const std::string& line);
std::string ValuePart(const std::string& line);
// Replaces the first line whose name matches (ignoring case) by name=value,
// or appends name=value.
void SetNameValue(TStringList& list, const std::string& name, const std::string& value);

// ---------------------------------------------------------------------------
// Sections

// Decides which of two sections of the same name survives loading: true
// keeps the earlier one (in file order), false keeps the later one.
using TDuplicateSectionEvent =
    std::function<bool(const std::string& name, TStringList& earlier, TStringList& later)>;

// Section names, each with its own line list. Unlike TStringList, this list
// owns the associated lists: every object added to it is freed when its
// entry is deleted, the list is cleared or destroyed.
class TSectionList : public TStringList {
 public:
  TSectionList() = default;
  TSectionList(const TSectionList&) = delete;
  TSectionList& operator=(const TSectionList&) = delete;
  ~TSectionList() override;

  // Appends a section with a new empty line list; returns its index.
  int32_t AddSection(const std::string& name);
  void Delete(int32_t index) override;
  int32_t DeleteIf(const std::function<bool(const std::string&)>& doomed) override;
  void Clear() override;
  // Copies names and lines (deep copy).
  void Assign(const TStringList& source) override;
  // Searches from LastHit onwards, wrapping around; a hit becomes LastHit.
  int32_t IndexOf(const std::string& name) const override;
  // The first section named name (ignoring case) at or after start, else
  // the first one before it; -1 when there is none. Remembers nothing.
  int32_t FindFrom(const std::string& name, int32_t start) const;
  TStringList& Lines(int32_t index);
  const TStringList& Lines(int32_t index) const;
  // Drops every section whose name (ignoring case) an earlier one already
  // has, or lets the callback choose; true when a section was dropped.
  bool ResolveDuplicates(const TDuplicateSectionEvent& callback);
  int32_t LastHit() const { return LastHit_; }
  void SetLastHit(int32_t index) { LastHit_ = index; }

 private:
  mutable int32_t LastHit_ = 0;
};

// ---------------------------------------------------------------------------
// INI document

class TFileLayout;

class TIniDocument {
 public:
  // All five load options on.
  TIniDocument(const std::string& fileName, bool readOnly);
  TIniDocument(const std::string& fileName, bool readOnly, bool stripComments,
               bool skipLinesWithoutEquals, bool trimAroundEquals, bool unquote, bool trimTrailing);
  // A writable document, all five load options on, that loads only the
  // sections named in `sections` (ignoring letter case; an empty list names
  // them all): every other section stays in the file byte for byte and costs
  // no more than its header's place, so that a large file of many sections
  // can be updated in little memory. The document neither lists nor reads the
  // other sections, and a call that would write, erase or delete in one of
  // them raises std::invalid_argument. Loading names them all when the file
  // is written in the normal form (see Text()), which keeps no layout.
  // LoadText into such a document that holds sections already raises
  // std::logic_error: the text would end the layout that keeps the others.
  TIniDocument(const std::string& fileName, std::vector<std::string> sections);
  // Flushes like UpdateFile, swallowing its error, then releases the file.
  // It writes nothing once an UpdateFile of this document has failed (until a
  // later one succeeds), nor while an exception unwinds past it: a save that
  // reported failure, or was abandoned, leaves the file as it was.
  virtual ~TIniDocument();
  TIniDocument(const TIniDocument&) = delete;
  TIniDocument& operator=(const TIniDocument&) = delete;

  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue);
  // Raises EInOutError naming the text, and changes nothing, when it cannot
  // be stored so that it reads back as given: a line break anywhere, a NUL in
  // the value or section name, white space at either end of the section name,
  // or a key with a blank or tab at either end, an "=", a leading ";" or "["
  // or a control byte; likewise when an earlier section whose name holds a
  // NUL reads under the section's name in the profile reader. Replaces the
  // line that the profile reader reads for the key, also when the file names
  // it with bytes that only that reader trims or cuts (" key\x0B="). A line
  // that holds the key in other letter case with the same value counts as
  // equal: it stays as it is and Modified is not set, unless the file holds
  // before it a line without "=" that the profile reader reads for the key
  // instead: that line then goes at the next save, and Modified is set.
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value);
  // Raises EInOutError exactly when WriteString would refuse these texts, and
  // changes nothing: a caller can check a batch of writes before the first.
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
  // Deletes the key's first line of the section. When a later line of the key
  // remains, which the document then reads, a line without "=" before it that
  // the profile reader reads for the key instead goes at the next save.
  virtual void DeleteKey(const std::string& section, const std::string& key);
  // Deletes every line of the section whose key equals one of keys ignoring
  // case, as DeleteKey for each line would, in one pass over the section. A
  // missing section is not created.
  void DeleteKeys(const std::string& section, const std::vector<std::string>& keys);
  virtual void WriteToStrings(TStringList& strings);
  // Writes Text() to the file when the document is modified, through a
  // temporary file renamed over it (or in place through a recovery copy, see
  // inplace.h), so that the file always holds either the old or the new text
  // (see ReplaceFile in posixfile.h); the document then
  // holds the new file, still locked against other writers. A text equal to
  // the file's bytes is not written: the file keeps its time stamp. Raises
  // EInOutError "Cannot write file <name>: <reason>" when a writable document
  // with a file name cannot be written; Modified then stays set, the file
  // keeps its previous content and no file is left behind.
  virtual void UpdateFile();
  // UpdateFile, then lets go of the file as SetFileName("") does: the document
  // is emptied and holds no file. The new text is written as it is made and
  // never held whole, so that saving a large file costs little more than the
  // document. When writing fails it raises as UpdateFile does, and the
  // document stays as it was.
  void UpdateFileAndRelease();

  // Flushes, releases the current file, empties the document and loads the
  // named file. Raises EInOutError "Cannot open file <name>" when the file
  // exists but cannot be opened, "Cannot open file <name>: not a regular file"
  // when it is a FIFO or a device (see RegularFileSize); so do the constructors.
  // Loading first finishes an in-place save of the file that was killed (see
  // CompleteInterruptedRewrite in inplace.h); when that fails it raises
  // "Cannot open file <name>: <reason>".
  void SetFileName(const std::string& fileName);

  // Parses bytes exactly as loading a file with that content does (line ends,
  // normalisation, duplicate sections), appending to the document's sections.
  // A writable document keeps their layout when it was empty, as loading a
  // file does (see Text()); appended to sections that the document holds
  // already, they end any kept layout. Touches no file and
  // does not change Modified. The seam that tests and fuzzers use without files.
  void LoadText(std::string_view data);
  // The text that UpdateFile writes. For a writable document that loaded an
  // existing, non-empty file (or LoadText its bytes), the file's bytes with
  // only the lines that changed: every other line stays
  // byte for byte, comments, empty sections and lines before the first header
  // included (see TFileLayout::Render for where lines go). A file that starts
  // with a byte-order mark keeps it, and changed lines are written in its
  // encoding: UTF-8, or UTF-16 in the file's byte order (see utf16text.h). Otherwise the
  // normal form: every section with lines, CR LF ends. Either way loading it
  // gives the same sections, keys and values: a written value that loading
  // would change goes inside double quotes (with the Unquote option).
  std::string Text() const;

  const std::string& FileName() const { return FileName_; }
  FileHandle Handle() const { return Handle_; }
  bool Modified() const { return Modified_; }
  // Sets Modified, so that UpdateFile writes the text even when no call changed
  // it: how text that LoadText took reaches a file that does not hold it.
  void MarkModified() { Modified_ = true; }
  bool ReadOnly() const { return ReadOnly_; }
  TSectionList& Sections() { return Sections_; }
  const TSectionList& Sections() const { return Sections_; }

  TDuplicateSectionEvent OnDuplicateSection;

 protected:
  void Load(const std::string& fileName);
  void ClearSections();
  // Index of the key's line in its section, or -1; lines is the section's
  // line list, or null when the section is missing and create is off.
  int32_t FindKey(const std::string& section, const std::string& key, bool create,
                  TStringList*& lines);

 private:
  std::string FileName_;
  FileHandle Handle_ = 0;
  int OpenError_ = 0;  // errno of a failed open for writing
  bool Modified_ = false;
  bool FlushFailed_ = false;                          // the last UpdateFile raised
  int UncaughtAtBirth_ = std::uncaught_exceptions();  // as constructed
  TSectionList Sections_;
  int32_t CurrentSection_ = 0;
  bool ReadOnly_ = false;
  bool StripComments_ = true;
  bool SkipLinesWithoutEquals_ = true;
  bool TrimAroundEquals_ = true;
  bool Unquote_ = true;
  bool TrimTrailing_ = true;
  // The only sections loaded while the file's layout is kept; empty for all.
  std::vector<std::string> Only_;
  // Raises std::invalid_argument when the document does not load the section.
  void CheckLoaded(const std::string& section) const;
  // Loaded entry lines whose value the Windows profile reader reads otherwise
  // than loading stored it (control bytes at the end that loading trims, or
  // at the start that only the reader trims), by line list and stored line:
  // written back as they were while unchanged.
  std::map<std::pair<const TStringList*, std::string>, std::string> KeptLines_;
  // Loaded entry lines that the profile reader finds under another key than
  // the document does (profile white space at either end of the name, a NUL
  // in it), by line list and the reader's key in lower case: a write of that
  // key looks for the line that the reader reads. Lines since gone may stay.
  std::set<std::pair<const TStringList*, std::string>> OtherNamedKeys_;
  // Loaded section names that hold a NUL, by the name that the profile reader
  // reads (cut at the NUL) in lower case: such a section hides a later one.
  std::multimap<std::string, std::string> NulSections_;
  // The layout of the loaded file, or null when the document writes the normal form.
  std::unique_ptr<TFileLayout> Layout_;
  // A layout of a UTF-16 file holds it as a UTF-8 file: the file's byte order and
  // odd last byte, to write it back as UTF-16 (see utf16text.h).
  TUtf16Form Utf16_;
  // The text of the layout as the file holds it: converted back to UTF-16 for a UTF-16 file.
  std::string FileForm(std::string text) const;
  // Loads the bytes, keeping their layout when `keep` is set.
  void LoadBytes(std::string bytes, bool keep);
  void ParseText(std::string_view data, TFileLayout* layout);
  // Writes the layout's text with the document's changes through ReplaceFile;
  // the layout then is that of the written text. 0 or the errno of the failure.
  // Without `keep` the text is written as it is made, and the layout is then
  // no longer that of the file: the caller lets go of the document.
  int WriteLayout(bool keep);
  // UpdateFile's work, non-virtual so that SetFileName and the destructor
  // reach it without dispatching to a subclass; `keep` as for WriteLayout.
  void WriteIfModified(bool keep);
  // The normal form of Text(), handed to put in parts.
  void NormalForm(const std::function<void(std::string_view)>& put) const;
  class TNormalContent;
  // SetFileName after its flush: releases the file, empties the document and
  // loads the named file.
  void Reopen(const std::string& fileName);
  void ForgetKeptLine(const TStringList* lines, const std::string& line);
  // The line that a write of the key replaces: the first one that the profile
  // reader reads for the key, which may come before `found` (the document's
  // own match, or -1).
  int32_t LineToWrite(const TStringList& lines, const std::string& key, int32_t found) const;
};

// ---------------------------------------------------------------------------
// Reading without keeping

// Receives what a scan finds (see ScanIniFile).
class TIniVisitor {
 public:
  TIniVisitor() = default;
  TIniVisitor(const TIniVisitor&) = default;
  TIniVisitor& operator=(const TIniVisitor&) = default;
  virtual ~TIniVisitor() = default;

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
