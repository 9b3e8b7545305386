// The setup configuration project being edited: its title, fonts, colours,
// dialog position, the three component lists and the variables.
//
// INI content (sections, keys, values, display names) is Windows-1251 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/colors.h"
#include "model/namelist.h"

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
  TNameList VariableNames;

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
