// The setup configuration model: the project being edited, its reset to the
// built-in defaults from the component catalogue, the writer that puts the
// project into a setup configuration file, and the reader that opens one.
//
// INI content (sections, keys, values, display names) is Windows-1251 bytes.
// File names are the system's path bytes and exception messages are UTF-8.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// ResetProject, SaveProject and OpenProject raise the engine's EInOutError.
#include "inifile/inierror.h"

// A colour: red in the low byte, green in the next, blue in the third.
// With the top bit set, the low bits name an element of the host's colour scheme.
using TColor = uint32_t;

inline constexpr TColor clSchemeFlag = 0x80000000u;
inline constexpr TColor clBtnShadow = 0x80000010u;
inline constexpr TColor clBtnHighlight = 0x80000014u;

struct TFontDesc {
  std::string Name;
  int32_t Size = 0;  // points
  TColor Color = 0;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;

  bool operator==(const TFontDesc&) const = default;
};

struct TDialogPosition {
  int32_t Horizontal = 1;  // 0 left, 1 centre, 2 right
  int32_t Vertical = 1;    // 0 top, 1 centre, 2 bottom

  bool operator==(const TDialogPosition&) const = default;
};

struct TVariableRow {
  std::string Name;
  std::string Value;

  bool operator==(const TVariableRow&) const = default;
};

// The configuration file that the project was last opened from or saved to by
// OpenProject or SaveAndRemember, and the "Variables" keys (other than
// ProgramName) that the file held then. Empty when the project comes from no file.
struct TFileOrigin {
  std::string FileName;
  std::vector<std::string> VariableNames;

  bool operator==(const TFileOrigin&) const = default;
};

// An ordered list of entries, each a display name with its code, with ticks and at
// most one selected entry. An index outside the list reads unticked and changes
// nothing. The entries from the catalogue come first; entries for codes that the
// catalogue does not know (named by the code itself) follow them. The code of each
// entry is held from the moment the list is filled: what Save writes never depends
// on the catalogue's content at that time.
// The ticked entries form a sequence of their own, the order in which the setup
// takes them (Order), independent of the entries' order in the list. Only the final
// entry (SetFinal: the final dialog, which the setup always shows last) is ticked
// apart from that sequence.
class TCheckList {
 public:
  void Clear();
  // Appends a catalogue entry of that code; raises std::logic_error once an unknown entry exists.
  void Append(const std::string& name, const std::string& code);
  // Appends an entry for a code that the catalogue does not know; its name is the code.
  void AppendUnknown(const std::string& code);
  // True for an entry that AppendUnknown added.
  bool IsUnknown(int32_t index) const;
  // The number of catalogue entries: the unknown entries start at this index.
  int32_t KnownCount() const;
  int32_t Find(const std::string& text) const;  // ignoring letter case; -1 for none
  // The first of the first `count` entries whose code is `code` ignoring letter case; -1 for none.
  int32_t FindCode(const std::string& code, int32_t count) const;
  // Ticks or unticks the entry. A newly ticked entry goes into the order right after
  // the ticked entry that comes nearest before it in the list, or first when none
  // does; an unticked entry leaves the order, the others keeping theirs.
  void SetTick(int32_t index, bool flag);
  bool IsTicked(int32_t index) const;
  // Ticks the entry and puts it at `position` of the order (from 0; at the end when
  // beyond it), moving it there when it is ticked already. The final entry is only ticked.
  void Place(int32_t index, int32_t position);
  // The ticked entries but the final one, in their order.
  const std::vector<int32_t>& Order() const { return Order_; }
  // The entry's place in the order, from 0; -1 for an unticked entry and the final one.
  int32_t Position(int32_t index) const;
  // Makes the entry the final one, whose tick stands apart from the order (-1, the
  // default, for none); it leaves the order. Clear forgets it.
  void SetFinal(int32_t index);
  int32_t Final() const { return Final_; }
  void Select(int32_t index);  // -1 for none
  int32_t Selected() const;
  int32_t Count() const;
  std::string Name(int32_t index) const;
  std::string Code(int32_t index) const;  // an unknown entry's code is its name
  // Makes room for count more entries whose names and codes take nameBytes and
  // codeBytes in all, so that filling a long list does not hold it twice while it grows.
  void Reserve(int32_t count, size_t nameBytes, size_t codeBytes = 0);

  // Equal names, codes, ticks, order and selection, in the same order.
  bool operator==(const TCheckList&) const = default;

 private:
  // The names one after the other, with where each ends, and the codes alike: a
  // catalogue's lists hold hundreds of thousands of short names.
  std::string Names_;
  std::vector<size_t> Ends_;
  std::string Codes_;
  std::vector<size_t> CodeEnds_;
  std::vector<bool> Ticked_;
  std::vector<int32_t> Order_;
  int32_t Selected_ = -1;
  int32_t Known_ = 0;
  int32_t Final_ = -1;
};

// The project. A newly constructed project is the start-up state without a
// catalogue: every default of "New", empty lists, the dialog title
// "Добро пожаловать" and the dialog position centre, centre.
struct TProject {
  TProject();

  std::string ProgramNameText;
  std::string MainTitleCaption;    // empty when the main title is hidden
  std::string DialogTitleCaption;  // empty when the dialog title is hidden
  TFontDesc TitleFont;
  TFontDesc DialogFont;
  bool TitleShadow = true;
  bool DialogShadow = true;
  TColor TitleShadowColor = clBtnShadow;
  TColor DialogShadowColor = clBtnShadow;
  TColor TopColor = 0x00FF0000u;
  TColor BottomColor = 0x00000000u;
  bool BackgroundEnabled = true;
  TDialogPosition DialogPosition;
  TCheckList Langs;
  TCheckList Pred;
  TCheckList Post;
  std::vector<TVariableRow> Variables;  // the data rows; the header row belongs to the view
  TFileOrigin Origin;
  // The catalogue that the three lists (and their codes) came from; set by
  // ResetProject, OpenProject and ChangeCatalogue. Empty for a project that no catalogue filled.
  std::string Catalogue;

  // Every item equal, the Origin and the Catalogue too.
  bool operator==(const TProject&) const = default;
};

// The largest configuration file that Open reads, and that Save reads back
// before writing into it: 256 MiB. Larger files are refused before they are read.
inline constexpr std::uintmax_t MaxConfigurationBytes = std::uintmax_t{256} * 1024 * 1024;

// "New": resets every item that "New" owns and fills the three lists from the
// catalogue (each entry with its code, the value of the first catalogue line of its
// name; the last post-installation entry is the final one), ticking and selecting "Русский". Leaves
// DialogPosition and DialogTitleCaption alone, forgets the project's Origin and remembers
// cataloguePath as the project's Catalogue. A missing catalogue
// leaves the lists empty; one that exists but cannot be opened raises the
// engine's open error, one that is no regular file or too large the error of
// RefuseUnusableCatalogue, before any of it is read.
void ResetProject(TProject& project, const std::string& cataloguePath);

// "Save": writes the project into the configuration file fileName, updating it in
// place. Each list is written as the codes that its entries hold, in the order of
// its ticked entries (Order); the catalogue is not read, so a catalogue changed or
// removed since the lists were filled changes nothing that is written. Keys are
// only added or changed, never removed, and the project's Origin is neither used
// nor changed. Raises on every failure; before anything is written it refuses,
// naming the row, a variable name or value that would not read back as typed, and
// raises "Cannot open file <catalogue>" when fileName is the catalogue itself
// (also through a link), and "File <name> is too large ..." naming the size when
// fileName holds more than MaxConfigurationBytes. The catalogue must be the
// project's own: a project whose Catalogue names another path raises
// std::invalid_argument before anything is written. A code holding a control byte
// is refused before anything is written.
void SaveProject(const TProject& project, const std::string& fileName,
                 const std::string& cataloguePath);
// "Save" with the project's own Catalogue.
void SaveProject(const TProject& project, const std::string& fileName);

// "Open": resets the project as ResetProject does, then applies what the
// configuration file holds, and returns one UTF-8 text for each thing in the
// file that it could not use, naming section, key, value and the reason; empty
// when everything was used. Items that the file does not give (a missing key,
// or a value that is reported) stay as the reset left them; so DialogPosition
// and DialogTitleCaption keep their values without their keys. Keys and
// sections that the editor does not own are neither used nor reported; Save
// keeps them. Only the first line of a key counts; later ones are reported.
// - Main title: ShowMainTitle=0 gives an empty MainTitleCaption; ProgramNameText
//   is ProgramName when that is not empty, else the default product name (a
//   hidden title with a name is reported, as Save would write the name empty).
//   ShowMainTitle=1 with an empty ProgramName hides the title, reported.
// - ShowDialogTitle gives DialogTitleCaption "Добро пожаловать" or empty.
// - Sequences: each code ticks the first entry whose held code matches ignoring
//   letter case and blanks around it; the file's sequence replaces the reset's
//   ticks, and its order is the order of the ticked entries (Save writes it back
//   as it was). A code that the catalogue does not know becomes a ticked unknown
//   entry at the end of its list (AppendUnknown) and keeps its place in the order,
//   reported with the catalogue's path; one holding a control byte is reported and
//   dropped. Empty and repeated codes and the final dialog's code in the
//   post-installation sequence are reported.
// - Variables: every key but ProgramName is a row, in file order. A line that
//   Save could not write back as it is (no name, a name with a leading blank,
//   "[" or a control byte, a value with a control byte, a repeated name) is
//   reported and is no row. A file without rows gives one empty row.
// - A file holding none of "Config", "Display", "Variables" is reported.
// The file is opened read-only and never written. Afterwards the project's
// Origin names the file and the variables read from it.
// A file that does not exist, is no regular file or cannot be read raises
// EInOutError "Cannot open file <name>" (or the engine's read error); so does a
// catalogue that cannot be opened. A file of more than MaxConfigurationBytes
// raises EInOutError "File <name> is too large ..." naming its size, before any
// of it is read. On any exception the project is unchanged.
std::vector<std::string> OpenProject(TProject& project, const std::string& fileName,
                                     const std::string& cataloguePath);

// One thing in a configuration file that "Open" could not use: the section and the
// key (as the file spells it) that it concerns, both empty when it concerns the
// whole file; which line of that key in the section it is about (0 the first);
// and the text that OpenProject returns for it.
struct TOpenProblem {
  std::string Section;
  std::string Key;
  int32_t Occurrence = 0;
  std::string Text;
};

// "Open" exactly as OpenProject, with each problem's place in the file.
std::vector<TOpenProblem> OpenProjectReport(TProject& project, const std::string& fileName,
                                            const std::string& cataloguePath);
// The same, handing `report` each problem in turn instead of returning them,
// so that the problems of a file of millions of problem lines are never all
// held. The problems of lines of "Variables" come from a second reading of
// that section; a file that changed in between raises EInOutError "Cannot
// read file <name>: it changed". When anything raises, also `report`, the
// project is unchanged (problems may have been reported).
void OpenProjectReport(TProject& project, const std::string& fileName,
                       const std::string& cataloguePath,
                       const std::function<void(TOpenProblem)>& report);
// The problems that "Open" finds in the file, handed to `report` as the
// callback form of OpenProjectReport hands them, and raising as it raises,
// without keeping the rows: only their names, so that a file of millions of
// variables costs little more than its names.
void CheckProjectFile(const std::string& fileName, const std::string& cataloguePath,
                      const std::function<void(TOpenProblem)>& report);

// The line number (1 for the first) of each problem's key in the file's bytes,
// 0 where the problem has no key or the key is not found. Lines are counted as a
// text editor counts them (ended by LF, CR LF or a lone CR); the key is found as
// the loader finds it: in the first section of that name, among the lines that are
// no comment and hold "=", its name before the first "=" without the blanks and
// tabs before it, compared ignoring letter case. One pass over the bytes.
std::vector<int32_t> ProblemLines(const std::string& fileBytes,
                                  const std::vector<TOpenProblem>& problems);

// "Save" that keeps the project's Origin: saves exactly as SaveProject does;
// when fileName names the same existing file as the project's Origin (through
// relative paths, symbolic or hard links alike), then removes from its
// "Variables" section every line of each key in Origin.VariableNames that no
// row names any more (compared ignoring letter case; ProgramName is never
// removed). Keys of the file that the project never read are left alone.
// Afterwards Origin names fileName and the variables just written.
// The values and the removal reach the file in one rewrite. Raises like
// SaveProject; then the file keeps its previous content and Origin stays
// unchanged, so that the next save into that file removes the keys again.
void SaveAndRemember(TProject& project, const std::string& fileName,
                     const std::string& cataloguePath);
// "Save" that keeps the Origin, with the project's own Catalogue.
void SaveAndRemember(TProject& project, const std::string& fileName);

// "Save As": into a file that does not exist yet, a copy of the project's Origin
// file with the project saved into it: the new file starts as the Origin's
// current bytes (comments, other sections and keys, layout, line ends, a UTF-8
// byte-order mark), gets the project's keys, and loses the variables that a
// save into the Origin would remove (see SaveAndRemember). The Origin is only
// read; the new file appears whole or not at all. Into an existing file (the
// Origin itself or another), for a project without an Origin, and when the
// Origin file no longer exists, it saves exactly as SaveAndRemember does, so a
// new file then holds the project alone and another existing file keeps its
// own other lines. Afterwards Origin names fileName and the variables written.
// Raises like SaveAndRemember, and when the Origin exists but cannot be read
// (or is larger than MaxConfigurationBytes); then nothing is written and Origin
// stays unchanged.
void SaveProjectAs(TProject& project, const std::string& fileName,
                   const std::string& cataloguePath);
// "Save As" with the project's own Catalogue.
void SaveProjectAs(TProject& project, const std::string& fileName);

// "Каталог…": reloads the three lists from the catalogue at cataloguePath and makes
// it the project's Catalogue, as if the file that Save would write now were opened
// with it: the held code of every ticked entry ticks the entry of that code in the
// same order, a code that the new catalogue lacks becomes a ticked unknown entry,
// and the final dialog's tick goes to the new final dialog. Only the new catalogue is read.
// Returns what could not be kept as it was (UTF-8 texts as OpenProject returns);
// everything else in the project stays. Raises when the new catalogue is not a
// readable file (CatalogueProblem) or cannot be opened, and then
// the project is unchanged.
std::vector<std::string> ChangeCatalogue(TProject& project, const std::string& cataloguePath);

// The catalogue beside the running executable: its directory plus "version.ini".
std::string CataloguePath();

// The catalogue for opening fileName: the file "version.ini" in the file's own
// folder when one exists there (the name matched ignoring ASCII letter case when
// no file is spelled exactly so), else current.
std::string ChooseCatalogue(const std::string& fileName, const std::string& current);

// The largest catalogue that is read: the limit of a configuration file, so that one
// rule bounds every file the program reads. Larger ones are refused unread.
inline constexpr std::uintmax_t MaxCatalogueBytes = MaxConfigurationBytes;

// Why the catalogue at path cannot serve (UTF-8: missing, no regular file (a FIFO, a
// device or a folder, also through a link), more than MaxCatalogueBytes, or not
// readable); empty when it can be read. Never waits on a FIFO.
std::string CatalogueProblem(const std::string& path);

// Raises EInOutError with CatalogueProblem's text when the catalogue exists but is no
// regular file or is too large; a missing or unreadable one passes (loading it gives
// empty lists or the open error). Every catalogue is checked so before it is read.
void RefuseUnusableCatalogue(const std::string& path);

// Value forms of the configuration file.
std::string ColorValue(TColor color);          // "$%.6X" of the resolved colour
std::string FontValue(const TFontDesc& font);  // "Name,Size,$%X" then ",B" and "I"

// Scheme colours. The resolver maps a scheme element index (the low bits of a
// scheme colour) to an ordinary colour. Without one, the classic Windows values apply.
using TSchemeColorResolver = std::function<TColor(uint32_t index)>;
void SetSchemeColorResolver(TSchemeColorResolver resolver);  // empty restores the classic values
TColor ClassicSchemeColor(uint32_t index);
TColor ResolveColor(TColor color);  // an ordinary colour is returned unchanged

// Text conversion between Windows-1251 and UTF-8.
// Decoding never fails: the byte 0x98, which Windows-1251 leaves undefined, becomes U+FFFD.
std::string Cp1251ToUtf8(const std::string& bytes);
// Encoding raises std::runtime_error naming the first character that Windows-1251 cannot hold.
std::string Utf8ToCp1251(const std::string& utf8);
// True when Windows-1251 holds the Unicode code point.
bool Cp1251CanHold(char32_t codePoint);
