// Opening a setup configuration file into the project, and saving the project
// into one ("Open", "Save", "Save As").
//
// File names are the system's path bytes and exception messages are UTF-8.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// SaveProject and OpenProject raise the engine's EInOutError.
#include "inifile/inierror.h"
#include "model/colors.h"
#include "model/problemtexts.h"
#include "model/project.h"

// The largest configuration file that Open reads, and that Save reads back before writing into it:
// 256 MiB. Larger files are refused before they are read.
inline constexpr std::uintmax_t MaxConfigurationBytes = std::uintmax_t{256} * 1024 * 1024;

// "Save": writes the project into the configuration file fileName, updating it in place. Each list
// is written as the codes that its entries hold, in the order of its ticked entries (Order); the
// catalogue is not read, so a catalogue changed or removed since the lists were filled changes
// nothing that is written. Keys are only added or changed, never removed, and the project's Origin
// is neither used nor changed. Raises on every failure; before anything is written it refuses,
// naming the row, a variable name or value that would not read back as typed, and raises "Cannot
// open file <catalogue>" when fileName is the catalogue itself (also through a link), and "File
// <name> is too large ..." naming the size when fileName holds more than MaxConfigurationBytes. The
// catalogue must be the project's own: a project whose Catalogue names another path raises
// std::invalid_argument before anything is written. A code holding a control byte is refused before
// anything is written.
void SaveProject(const TProject& project, const std::string& fileName,
                 const std::string& cataloguePath);
// "Save" with the project's own Catalogue.
void SaveProject(const TProject& project, const std::string& fileName);

// "Open": resets the project as ResetProject does, then applies what the configuration file holds,
// and returns one UTF-8 text for each thing in the file that it could not use, naming section, key,
// value and the reason, and for each warning; empty when everything was used. The texts are held
// compactly (see TProblemTexts), so that a file of millions of problem lines opens in little
// memory. Items that the file does not give (a missing key, or a value that is reported) stay as
// the reset left them; so DialogPosition and DialogTitleCaption keep their values without their
// keys. Keys and sections that the editor does not own are neither used nor reported; Save keeps
// them. Only the first line of a key counts; later ones are reported.
// - Main title: ShowMainTitle=0 gives an empty MainTitleCaption; ProgramNameText
//   is ProgramName when that is not empty, else the default product name (a
//   hidden title with a name is reported, as Save would write the name empty).
//   ShowMainTitle=1 with an empty ProgramName hides the title, reported.
// - ShowDialogTitle gives DialogTitleCaption "Добро пожаловать" or empty.
// - Sequences: each code ticks the first entry whose held code matches ignoring letter case and
//   blanks around it; the file's sequence replaces the reset's ticks, and its order is the order of
//   the ticked entries (Save writes it back as it was). A code that the catalogue does not know
//   becomes a ticked unknown entry at the end of its list (AppendUnknown) and keeps its place in
//   the order, reported with the catalogue's path; one holding a control byte is reported and
//   dropped. Empty and repeated codes and the final dialog's code in the post-installation
//   sequence are reported.
// - Variables: every key but ProgramName is a row, in file order. A line that Save could not write
//   back as it is (no name, a name with a leading blank, "[" or a control byte, a value with a
//   control byte, a repeated name) is reported and is no row. A file without rows gives one empty
//   row.
// - A file holding none of "Config", "Display", "Variables" is reported.
// - Warnings, last and in file order among the problems of lines of "Variables", tell the lines
//   that the setup reads otherwise than they look, which Open ignores: a header without "]", a line
//   without "=" in the first section of "Config", "Display" or "Variables", a later such section.
// The file is opened read-only and never written. Afterwards the project's Origin names the file
// and the variables read from it.
// A file that does not exist, is no regular file or cannot be read raises EInOutError "Cannot open
// file <name>" (or the engine's read error); so does a catalogue that cannot be opened. A file of
// more than MaxConfigurationBytes raises EInOutError "File <name> is too large ..." naming its
// size, before any of it is read. On any exception the project is unchanged.
TProblemTexts OpenProject(TProject& project, const std::string& fileName,
                          const std::string& cataloguePath);

// One thing in a configuration file that "Open" could not use: the section and the key (as the file
// spells it) that it concerns, both empty when it concerns the whole file; which line of that key
// in the section it is about (0 the first); and the text that OpenProject returns for it.
struct TOpenProblem {
  std::string Section;
  std::string Key;
  int32_t Occurrence = 0;
  std::string Text;
  // A line that the setup reads otherwise than it looks, which loses nothing: told, but no
  // problem of the file's content.
  bool Warning = false;
  // The file's line (1 for the first) when the problem knows it, else 0 (found by its key).
  int32_t Line = 0;
};

// The problem's text as a list shows it: a warning's starts with "предупреждение: ".
std::string ShownProblem(const TOpenProblem& problem);

// "Open" exactly as OpenProject, with each problem's place in the file.
std::vector<TOpenProblem> OpenProjectReport(TProject& project, const std::string& fileName,
                                            const std::string& cataloguePath);
// The same, handing `report` each problem in turn instead of returning them, so that the problems
// of a file of millions of problem lines are never all held. The problems of lines of "Variables"
// and the warnings come from a second reading of the file; a file that changed in between raises
// EInOutError "Cannot read file <name>: it changed". When anything raises, also `report`, the
// project is unchanged (problems may have been reported).
void OpenProjectReport(TProject& project, const std::string& fileName,
                       const std::string& cataloguePath,
                       const std::function<void(TOpenProblem)>& report);
// The problems that "Open" finds in the file, handed to `report` as the callback form of
// OpenProjectReport hands them, and raising as it raises, without keeping the rows: only their
// names, so that a file of millions of variables costs little more than its names.
void CheckProjectFile(const std::string& fileName, const std::string& cataloguePath,
                      const std::function<void(TOpenProblem)>& report);

// The line number (1 for the first) of each problem: its Line when not 0, else that of its key in
// the file's bytes, 0 where the problem has no key or the key is not found. Lines are counted as a
// text editor counts them (ended by LF, CR LF or a lone CR); the key is found as the loader finds
// it: in the first section of that name, among the lines that are no comment and hold "=", its name
// before the first "=" without the blanks and tabs before it, compared ignoring letter case. One
// pass over the bytes.
std::vector<int32_t> ProblemLines(const std::string& fileBytes,
                                  const std::vector<TOpenProblem>& problems);

// "Save" that keeps the project's Origin: saves exactly as SaveProject does; when fileName names
// the same existing file as the project's Origin (through relative paths, symbolic or hard links
// alike), then removes from its "Variables" section every line of each key in Origin.VariableNames
// that no row names any more (compared ignoring letter case; ProgramName is never removed). Keys of
// the file that the project never read are left alone. Afterwards Origin names fileName and the
// variables just written. The values and the removal reach the file in one rewrite. Raises like
// SaveProject; then the file keeps its previous content and Origin stays unchanged, so that the
// next save into that file removes the keys again.
void SaveAndRemember(TProject& project, const std::string& fileName,
                     const std::string& cataloguePath);
// "Save" that keeps the Origin, with the project's own Catalogue.
void SaveAndRemember(TProject& project, const std::string& fileName);

// "Save As": into a file that does not exist yet, a copy of the project's Origin file with the
// project saved into it: the new file starts as the Origin's current bytes (comments, other
// sections and keys, layout, line ends, a UTF-8 byte-order mark), gets the project's keys, and
// loses the variables that a save into the Origin would remove (see SaveAndRemember). The Origin is
// only read; the new file appears whole or not at all. Into an existing file (the Origin itself or
// another), for a project without an Origin, and when the Origin file no longer exists, it saves
// exactly as SaveAndRemember does, so a new file then holds the project alone and another existing
// file keeps its own other lines. Afterwards Origin names fileName and the variables written.
// Raises like SaveAndRemember, and when the Origin exists but cannot be read (or is larger than
// MaxConfigurationBytes); then nothing is written and Origin stays unchanged.
void SaveProjectAs(TProject& project, const std::string& fileName,
                   const std::string& cataloguePath);
// "Save As" with the project's own Catalogue.
void SaveProjectAs(TProject& project, const std::string& fileName);

// Value forms of the configuration file.
std::string ColorValue(TColor color);          // "$%.6X" of the resolved colour
std::string FontValue(const TFontDesc& font);  // "Name,Size,$%X" then ",B" and "I"
