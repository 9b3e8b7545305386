// The layout of a file that a document loaded: its bytes, and the line of the
// file that each section header and each stored entry line came from, kept up
// to date with the document's changes, so that writing the document back
// changes only the lines that the document changed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "inifile/filecontent_p.h"
#include "inifile/inifile.h"

class TFileLayout {
 public:
  TFileLayout() = default;
  // Takes over the file's bytes. A leading UTF-8 byte-order mark makes it a
  // UTF-8 file; lines are counted from 0 after the mark.
  explicit TFileLayout(std::string bytes);

  const std::string& Bytes() const { return Bytes_; }
  bool Utf8() const { return Utf8_; }
  // The bytes after the byte-order mark.
  std::string_view Body() const;

  // While loading: one more line of the file ends with these bytes (CR LF, CR,
  // LF or none).
  void CountLineEnd(std::string_view end) {
    if (end.size() == 2)
      ++Ends_.CrLf;
    else if (end == "\n")
      ++Ends_.Lf;
    else if (end == "\r")
      ++Ends_.Cr;
  }
  // While loading: the line is a section header whose lines go to `lines`.
  void Header(int32_t line, const TStringList* lines);
  // While loading: the line is the header of a section that the document does
  // not load; the section stays in the file as it is, like a dropped duplicate.
  void Skipped(int32_t line);
  // While loading: the line was appended to `lines` as an entry.
  void Entry(const TStringList* lines, int32_t line);
  // After loading: the sections that the removal of duplicates dropped stay
  // in the file as they are, unless a section of their name is erased.
  void KeepSurvivors(const TSectionList& sections);

  // The document's changes to its line lists, reported before or after the
  // change as each says.
  void Added(const TStringList* lines);                            // after a line was appended
  void Replaced(const TStringList* lines, int32_t index);          // the line has a new text
  void Deleted(const TStringList* lines, int32_t index);           // before the line goes
  void Erased(const TStringList* lines, const std::string& name);  // before the section goes
  // Before the lines at these positions (ascending, as before any of them goes)
  // go at once: Deleted for each, in one pass.
  void DeletedAll(const TStringList* lines, const std::vector<int32_t>& indices);
  // The document reads its key from the line at `index` anew, its text
  // unchanged: a write gave it the value it holds, or a delete uncovered it.
  // When the file holds, before the line that it came from, a line without "="
  // that the setup reads for the same key (and so reads instead of it), the
  // line counts as written from then on: Render drops that line as it does
  // for a changed one, and the result is true. False when Render stays as it was.
  bool Rewritten(const TStringList* lines, int32_t index);

  // The file's bytes with the document's sections written into them: every
  // line that the document did not change stays byte for byte, with its own
  // line end, except a line without "=" that the setup would read for a key
  // written since, also with the value it held (it would hide the written
  // value); a changed line is written in its place, a deleted one left out,
  // a new line goes after the section's last entry line as loaded (after the
  // header when it had none), and a new section with lines goes to the end,
  // after an empty line. Written lines end with the file's most common line
  // end and, in a UTF-8 file, are converted to UTF-8; with `quote` a value
  // that would not read back goes inside double quotes (see AppendFileLine).
  // A section whose lines were changed other than through the calls above is
  // written whole in place of its old lines. When `next` is not null it
  // receives the layout of the result, which then takes the result's bytes
  // through SetBytes.
  std::string Render(const TSectionList& sections, bool quote, TFileLayout* next) const;
  // Render's text handed to put in parts, in order, instead of being held whole.
  void RenderTo(const TSectionList& sections, bool quote, TFileLayout* next,
                const TFileContent::TPut& put) const;
  void SetBytes(std::string bytes) { Bytes_ = std::move(bytes); }

 private:
  enum class THeaderState : uint8_t { Live, Duplicate, Erased };
  struct THeader {
    int32_t Line;
    const TStringList* Lines;  // the section's lines while it is Live
    THeaderState State;
  };
  // A line of a section without "=", with the key that the setup reads for it
  // in lower case.
  struct TBareKey {
    int32_t Line;
    std::string Key;
  };
  // A section that came from the file. Origins has one entry for each of the
  // section's lines: the file line it came from, NewLine for a line that the
  // file does not hold, or ChangedOrigin(line) for a line whose text changed.
  struct TSection {
    int32_t Header = 0;   // index into Headers_
    int32_t LastKey = 0;  // the last entry line as loaded, else the header's line
    std::vector<int32_t> Origins;
    std::vector<int32_t> DeletedLines;    // file lines whose entries were deleted
    std::vector<int32_t> RewrittenLines;  // unchanged file lines that count as written
    std::vector<TBareKey> BareKeys;       // see FindBareKeys
  };
  static constexpr int32_t NewLine = -1;
  static int32_t ChangedOrigin(int32_t line) { return -line - 2; }
  static int32_t OriginLine(int32_t origin) { return origin >= 0 ? origin : -origin - 2; }

  // How many lines end with each line end.
  struct TEndCounts {
    size_t CrLf = 0, Lf = 0, Cr = 0;
  };
  // The line end that most lines have: CR LF, LF or CR, preferred in this
  // order when as many lines have each; CR LF for a text without one.
  std::string_view MostCommonLineEnd() const;

  class TWriter;
  class TMerge;
  TSection* Find(const TStringList* lines);
  bool Valid(const TSection& section, const TStringList& lines) const;
  bool NameErased(std::string_view headerLine) const;
  // Fills BareKeys of every live section in one pass over the file.
  void FindBareKeys();

  std::string Bytes_;
  bool Utf8_ = false;
  TEndCounts Ends_;
  std::vector<THeader> Headers_;  // in file order
  std::unordered_map<const TStringList*, TSection> Sections_;
  std::vector<std::string> ErasedNames_;
  bool BareKeysFound_ = false;                // FindBareKeys has run
  const TStringList* CachedLines_ = nullptr;  // the last section that Find found
  TSection* Cached_ = nullptr;
};
