// Property: what Save writes, Open reads back as the same project, and saving that
// project again leaves the file untouched.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "cp1251text.h"
#include "inifile/inifile.h"
#include "model/model.h"
#include "projectdiff.h"
#include "testfiles.h"

namespace {

class TProjectGenerator {
 public:
  // With edgeValues, texts may also start or end with blanks or be enclosed in quotes.
  // With unknownCodes, the lists also end in entries for codes that the catalogue lacks.
  TProjectGenerator(uint32_t seed, bool edgeValues, bool unknownCodes = false)
      : Random_(seed), EdgeValues_(edgeValues), UnknownCodes_(unknownCodes) {}

  TProject Next(const std::string& catalogue) {
    TProject p;
    ResetProject(p, catalogue);
    for (TCheckList* list : {&p.Langs, &p.Pred, &p.Post}) {
      for (int32_t i = 0; i < list->Count(); ++i) list->SetTick(i, Chance(2));
    }
    if (UnknownCodes_) AddUnknownCodes(p);
    for (TCheckList* list : {&p.Langs, &p.Pred, &p.Post}) Shuffle(*list);
    p.TopColor = Color();
    p.BottomColor = Color();
    p.TitleShadowColor = Color();
    p.DialogShadowColor = Color();
    p.TitleFont = Font();
    p.DialogFont = Font();
    p.TitleShadow = Chance(2);
    p.DialogShadow = Chance(2);
    p.BackgroundEnabled = Chance(2);
    p.DialogPosition = {Below(3), Below(3)};
    p.ProgramNameText = Value(1);
    p.MainTitleCaption = Chance(3) ? "" : p.ProgramNameText;
    p.DialogTitleCaption = Chance(2) ? "" : Cp("Добро пожаловать");
    p.Variables.clear();
    for (int32_t rows = Below(6); rows >= 0; --rows) {
      p.Variables.push_back({Chance(8) ? "" : UniqueName(p.Variables), Value(0)});
    }
    return p;
  }

 private:
  int32_t Below(int32_t n) { return std::uniform_int_distribution<int32_t>(0, n - 1)(Random_); }
  bool Chance(int32_t n) { return Below(n) == 0; }

  TColor Color() {
    if (Chance(4)) return clSchemeFlag | static_cast<TColor>(Below(31));
    return static_cast<TColor>(Below(0x1000000));
  }

  // Any byte that a line can hold: no control byte.
  char Byte() {
    const int32_t code = 32 + Below(223);
    return static_cast<char>(code == 127 ? 'x' : code);
  }

  std::string Text(int32_t minLength, int32_t maxLength) {
    std::string text;
    for (int32_t n = minLength + Below(maxLength - minLength + 1); n > 0; --n) text += Byte();
    return text;
  }

  // A value that reads back as written: without the edges that the reader drops unless
  // edge values are wanted, then with such edges in one value of three.
  std::string Value(int32_t minLength) {
    if (EdgeValues_ && Chance(3)) {
      const char* const edges[] = {" ", "  ", "\"", "'"};
      const std::string edge = edges[Below(4)];
      return edge + Text(0, 8) + (Chance(2) ? edge : "");
    }
    for (;;) {
      std::string text = Text(minLength, 12);
      const bool blankEdge = !text.empty() && (text.front() == ' ' || text.back() == ' ');
      const bool quoted = text.size() >= 2 && text.front() == text.back() &&
                          (text.front() == '"' || text.front() == '\'');
      if (!blankEdge && !quoted) return text;
    }
  }

  TFontDesc Font() {
    std::string face = Text(1, 20);
    face.front() = face.front() == ' ' ? 'F' : face.front();
    const int32_t size = Chance(10) ? 1 + Below(1000) : 1 + Below(72);
    return TFontDesc{face, size, Color(), Chance(2), Chance(2), Chance(2), Chance(2)};
  }

  // A name that the file keeps as the same key, unlike every other row's and ProgramName.
  std::string UniqueName(const std::vector<TVariableRow>& rows) {
    for (;;) {
      std::string name = Text(1, 12);
      for (char& c : name) c = c == '=' ? '-' : c;
      if (name.front() == ' ' || name.front() == ';' || name.front() == '[' || name.back() == ' ')
        continue;
      bool unique = !SameText(name, "ProgramName");
      for (const TVariableRow& row : rows) unique = unique && !SameText(row.Name, name);
      if (unique) return name;
    }
  }

  // A code that the file keeps as it is: no comma, no control byte, no blank at
  // either end, unlike every code in `taken` (ignoring letter case).
  std::string UnknownCode(const std::vector<std::string>& taken) {
    for (;;) {
      std::string code = Text(1, 10);
      for (char& c : code) c = c == ',' ? '.' : c;
      if (code.front() == ' ' || code.back() == ' ') continue;
      bool unique = true;
      for (const std::string& other : taken) unique = unique && !SameText(other, code);
      if (unique) return code;
    }
  }

  // The ticked entries in an order of chance (the setup takes them in that order).
  void Shuffle(TCheckList& list) {
    const std::vector<int32_t> order = list.Order();
    for (const int32_t index : order) list.Place(index, Below(static_cast<int32_t>(order.size())));
  }

  void AddUnknownCodes(TProject& p) {
    for (TCheckList* list : {&p.Langs, &p.Pred, &p.Post}) {
      std::vector<std::string> taken;
      taken.reserve(static_cast<size_t>(list->Count()) + 4);
      for (int32_t i = 0; i < list->Count(); ++i) taken.push_back(list->Code(i));
      for (int32_t n = Below(4); n > 0; --n) {
        taken.push_back(UnknownCode(taken));
        list->AppendUnknown(taken.back());
        list->SetTick(list->Count() - 1, !Chance(3));
      }
    }
  }

  std::mt19937 Random_;
  bool EdgeValues_;
  bool UnknownCodes_;
};

// The list as the file keeps it: the ticked entries in their order, an unknown code's
// entry only while it is ticked, listed in the order of the ticked entries.
void DropUnticked(TCheckList& list) {
  TCheckList kept;
  std::vector<int32_t> at(static_cast<size_t>(list.Count()), -1);
  for (int32_t i = 0; i < list.KnownCount(); ++i) {
    at[static_cast<size_t>(i)] = kept.Count();
    kept.Append(list.Name(i), list.Code(i));
  }
  for (const int32_t index : list.Order()) {
    if (!list.IsUnknown(index)) continue;
    at[static_cast<size_t>(index)] = kept.Count();
    kept.AppendUnknown(list.Name(index));
  }
  kept.SetFinal(list.Final());
  kept.SetTick(kept.Final(), list.IsTicked(list.Final()));
  for (const int32_t index : list.Order()) {
    kept.Place(at[static_cast<size_t>(index)], static_cast<int32_t>(kept.Order().size()));
  }
  kept.Select(list.Selected());
  list = kept;
}

int32_t TickedUnknown(const TProject& p) {
  int32_t count = 0;
  for (const TCheckList* list : {&p.Langs, &p.Pred, &p.Post}) {
    for (int32_t i = list->KnownCount(); i < list->Count(); ++i) count += list->IsTicked(i);
  }
  return count;
}

// What the file holds of the project: scheme colours resolved, no underline or
// strike-out, no product name behind a hidden title, no rows without a name, no
// unticked entry of an unknown code.
TProject Storable(TProject p) {
  for (TColor* color : {&p.TopColor, &p.BottomColor, &p.TitleShadowColor, &p.DialogShadowColor,
                        &p.TitleFont.Color, &p.DialogFont.Color}) {
    *color = ResolveColor(*color);
  }
  for (TFontDesc* font : {&p.TitleFont, &p.DialogFont}) font->Underline = font->StrikeOut = false;
  if (p.MainTitleCaption.empty()) p.ProgramNameText = Cp("Демо-программа 1.0");
  for (TCheckList* list : {&p.Langs, &p.Pred, &p.Post}) DropUnticked(*list);
  std::erase_if(p.Variables, [](const TVariableRow& row) { return row.Name.empty(); });
  if (p.Variables.empty()) p.Variables.emplace_back();
  return p;
}

// Runs the property over `count` projects; returns the first failure, or empty. Open
// reports each ticked unknown code, and nothing else.
std::string CheckRoundTrips(uint32_t seed, bool edgeValues, int32_t count,
                            bool unknownCodes = false) {
  TTempDir dir("/dev/shm");  // in memory: every rewrite syncs, which a disk makes slow
  const std::string catalogue = VUKA_SAMPLE_CATALOGUE;
  const std::string file = dir / "vuka.ini";
  TProjectGenerator generator(seed, edgeValues, unknownCodes);
  for (int32_t i = 0; i < count; ++i) {
    const std::string where =
        "seed " + std::to_string(seed) + ", project " + std::to_string(i) + ": ";
    const TProject saved = generator.Next(catalogue);
    std::filesystem::remove(file);
    SaveProject(saved, file, catalogue);

    TProject opened;
    const std::vector<std::string> problems = OpenProject(opened, file, catalogue);
    const std::string unknown = "не найден в каталоге «" + catalogue + "»";
    for (const std::string& problem : problems) {
      if (problem.find(unknown) == std::string::npos) return std::string(where).append(problem);
    }
    if (std::ssize(problems) != TickedUnknown(saved)) {
      return where + "problems reported: " + std::to_string(problems.size());
    }
    if (std::string difference = ProjectDifference(Storable(saved), opened); !difference.empty()) {
      return difference.insert(0, where);
    }

    const std::string bytes = ReadBytes(file);
    SetOldModificationTime(file);
    const std::string stamp = ModificationStamp(file);
    SaveAndRemember(opened, file, catalogue);
    if (ReadBytes(file) != bytes || ModificationStamp(file) != stamp) {
      return where + "saving again rewrote the file";
    }
  }
  return {};
}

}  // namespace

TEST(ProjectRoundTrip, OpenGivesBackWhatSaveWroteAndSavingAgainChangesNothing) {
  EXPECT_EQ(CheckRoundTrips(20261207, false, 3000), "");
}

// Such values are written inside double quotes, which the loader removes.
TEST(ProjectRoundTrip, ValuesWithBlanksAtTheEdgesOrInQuotesComeBackAsTyped) {
  EXPECT_EQ(CheckRoundTrips(7, true, 1000), "");
}

// Codes that the catalogue lacks survive Open and Save as they were; unticked, they leave.
TEST(ProjectRoundTrip, UnknownCodesComeBackAsTheyWereWrittenAndUntickedOnesLeaveTheFile) {
  EXPECT_EQ(CheckRoundTrips(1812, true, 1000, true), "");
}
