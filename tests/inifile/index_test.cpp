// Sections and keys are found through hash indexes. Random sequences of
// operations, including changes made to the lists directly, must give the
// very results of a plain search that compares entries one by one.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "inifile/inifile.h"
#include "inifile/textparts_p.h"

namespace {

// The document as a plain structure, searched entry by entry from the
// remembered positions, wrapping around.
struct TReference {
  struct Section {
    std::string Name;
    std::vector<std::string> Lines;
  };
  std::vector<Section> Sections;
  int32_t Current = 0;
  int32_t LastHit = 0;

  static int32_t IndexOfName(const std::vector<std::string>& lines, const std::string& key) {
    for (size_t i = 0; i < lines.size(); ++i) {
      const size_t eq = lines[i].find('=');
      if (eq != std::string::npos && SameText(lines[i].substr(0, eq), key))
        return static_cast<int32_t>(i);
    }
    return -1;
  }

  int32_t IndexOf(const std::string& name) {
    const auto count = static_cast<int32_t>(Sections.size());
    if (count == 0) return -1;
    const int32_t start = LastHit >= 0 && LastHit < count ? LastHit : 0;
    for (int32_t n = 0, i = start; n < count; ++n, i = (i + 1) % count) {
      if (SameText(Sections[static_cast<size_t>(i)].Name, name)) return LastHit = i;
    }
    return -1;
  }

  // The key's line, or -1; section is the section's index, or -1.
  int32_t FindKey(const std::string& name, const std::string& key, bool create, int32_t& section) {
    section = -1;
    const auto count = static_cast<int32_t>(Sections.size());
    if (count > 0) {
      if (Current < 0 || Current >= count) Current = 0;
      const int32_t stop = Current == 0 ? count - 1 : Current - 1;
      for (;;) {
        if (SameText(Sections[static_cast<size_t>(Current)].Name, name)) {
          section = Current;
          break;
        }
        if (Current == stop) break;
        Current = (Current + 1) % count;
      }
    }
    if (section < 0) {
      if (create) {
        Sections.push_back({name, {}});
        section = Current = count;
      }
      return -1;
    }
    return IndexOfName(Sections[static_cast<size_t>(section)].Lines, key);
  }
};

class TRandomRun {
 public:
  explicit TRandomRun(unsigned seed) : Random_(seed) {}

  // Applies one random operation to both and compares their answers.
  void Step(TIniDocument& doc, TReference& ref);

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(Random_); }
  // Few names, in two letter cases (Latin and Cyrillic), so that matches,
  // misses and duplicates are all frequent; long enough lists to be indexed.
  std::string Name(const char* stem, int variety) {
    static const char* letters[] = {"a", "A", "\xE6", "\xC6", "b", "B", "", "x=y"};
    return std::string(stem) + letters[Pick(8)] + std::to_string(Pick(variety));
  }
  std::string Section() { return Pick(20) == 0 ? std::string() : Name("s", 3); }
  std::string Key() { return Name("k", 6); }
  std::string Line() {
    return Pick(8) == 0 ? Name("no equals ", 2) : Key() + "=" + std::to_string(Pick(100));
  }
  // Writes a value to both, or expects the document to refuse a key it cannot store.
  void Write(TIniDocument& doc, TReference& ref, const std::string& section,
             const std::string& key);
  void DeleteKeys(TIniDocument& doc, TReference& ref, const std::string& section,
                  const std::vector<std::string>& keys);
  void DirectSectionChange(TIniDocument& doc, TReference& ref);
  void DirectLineChange(TIniDocument& doc, TReference& ref);

  std::mt19937 Random_;
};

void TRandomRun::DirectSectionChange(TIniDocument& doc, TReference& ref) {
  TSectionList& list = doc.Sections();
  const auto count = static_cast<int32_t>(ref.Sections.size());
  switch (Pick(4)) {
    case 0: {  // a duplicate or a new section, appended behind the document's back
      const std::string name = Section();
      list.AddSection(name);
      ref.Sections.push_back({name, {}});
      break;
    }
    case 1:
      if (count > 0) {
        const int32_t i = Pick(count);
        const std::string name = Section();
        list.Put(i, name);
        ref.Sections[static_cast<size_t>(i)].Name = name;
      }
      break;
    case 2:
      if (count > 0 && Pick(4) == 0) {  // every section of a name, in one pass
        const std::string name = Section();
        const auto same = [&name](const std::string& other) { return SameText(other, name); };
        const auto gone = std::erase_if(
            ref.Sections, [&same](const TReference::Section& s) { return same(s.Name); });
        ASSERT_EQ(list.DeleteIf(same), static_cast<int32_t>(gone));
      } else if (count > 0) {
        const int32_t i = Pick(count);
        list.Delete(i);
        ref.Sections.erase(ref.Sections.begin() + i);
      }
      break;
    default: {
      const int32_t hit = Pick(count + 2) - 1;
      list.SetLastHit(hit);
      ref.LastHit = hit;
    }
  }
}

void TRandomRun::DirectLineChange(TIniDocument& doc, TReference& ref) {
  const auto count = static_cast<int32_t>(ref.Sections.size());
  if (count == 0) return;
  const int32_t s = Pick(count);
  TStringList& lines = doc.Sections().Lines(s);
  std::vector<std::string>& refLines = ref.Sections[static_cast<size_t>(s)].Lines;
  const auto size = static_cast<int32_t>(refLines.size());
  const std::string line = Line();
  const int32_t at = Pick(size + 1);
  switch (Pick(4)) {
    case 0:
      lines.Insert(at, line);
      refLines.insert(refLines.begin() + at, line);
      break;
    case 1:
      if (at < size) {
        lines.Put(at, line);
        refLines[static_cast<size_t>(at)] = line;
      }
      break;
    case 2:
      if (at < size) {
        lines.Delete(at);
        refLines.erase(refLines.begin() + at);
      }
      break;
    default: {
      const std::string key = Key();
      ASSERT_EQ(lines.IndexOfName(key), TReference::IndexOfName(refLines, key));
    }
  }
}

void ExpectRefusal(TIniDocument& doc, const std::string& section, const std::string& key,
                   const std::string& value) {
  EXPECT_THROW(doc.WriteString(section, key, value), EInOutError);
}

void TRandomRun::Write(TIniDocument& doc, TReference& ref, const std::string& section,
                       const std::string& key) {
  const std::string value = std::to_string(Pick(100)), line = key + "=" + value;
  if (key.find('=') != std::string::npos) {  // such a key cannot be stored: refused, no change
    ExpectRefusal(doc, section, key, value);
    return;
  }
  doc.WriteString(section, key, value);
  int32_t s = -1;
  const int32_t i = ref.FindKey(section, key, true, s);
  auto& lines = ref.Sections[static_cast<size_t>(s)].Lines;
  if (i < 0)
    lines.push_back(line);
  else if (std::string& old = lines[static_cast<size_t>(i)];
           !SameText(old, line) || ValuePart(old) != value)  // an equal line keeps its key's case
    old = line;
}

// Every line of the keys goes, in one call: as DeleteKey for each line would.
void TRandomRun::DeleteKeys(TIniDocument& doc, TReference& ref, const std::string& section,
                            const std::vector<std::string>& keys) {
  doc.DeleteKeys(section, keys);
  const int32_t s = ref.IndexOf(section);
  if (s < 0) return;
  std::erase_if(ref.Sections[static_cast<size_t>(s)].Lines, [&keys](const std::string& line) {
    return std::any_of(keys.begin(), keys.end(), [&line](const std::string& key) {
      return TReference::IndexOfName({line}, key) == 0;
    });
  });
}

void TRandomRun::Step(TIniDocument& doc, TReference& ref) {
  const std::string section = Section(), key = Key();
  int32_t s = -1;
  switch (Pick(10)) {
    case 0:
    case 1: {
      const int32_t i = ref.FindKey(section, key, false, s);
      ASSERT_EQ(doc.ReadString(section, key, "<none>"),
                i < 0 ? "<none>" : ValuePart(ref.Sections[static_cast<size_t>(s)].Lines[i]));
      break;
    }
    case 2:
    case 3:
    case 4: Write(doc, ref, section, key); break;
    case 5: {
      if (Pick(3) == 0) {
        DeleteKeys(doc, ref, section, {key, Key()});
        break;
      }
      doc.DeleteKey(section, key);
      const int32_t i = ref.FindKey(section, key, true, s);
      if (i >= 0)
        ref.Sections[static_cast<size_t>(s)].Lines.erase(
            ref.Sections[static_cast<size_t>(s)].Lines.begin() + i);
      break;
    }
    case 6: {
      doc.EraseSection(section);
      const int32_t i = ref.IndexOf(section);
      if (i >= 0) {
        ref.Sections.erase(ref.Sections.begin() + i);
        ref.LastHit = 0;
      }
      break;
    }
    case 7: {
      TStringList names;
      doc.ReadSection(section, names);
      const int32_t i = ref.IndexOf(section);
      ASSERT_EQ(names.Count(), i < 0 ? 0 : static_cast<int32_t>(ref.Sections[i].Lines.size()));
      ASSERT_EQ(doc.Sections().LastHit(), ref.LastHit);
      break;
    }
    case 8: DirectSectionChange(doc, ref); break;
    default: DirectLineChange(doc, ref);
  }
}

void ExpectSameContent(const TIniDocument& doc, const TReference& ref) {
  const TSectionList& list = doc.Sections();
  ASSERT_EQ(list.Count(), static_cast<int32_t>(ref.Sections.size()));
  for (int32_t i = 0; i < list.Count(); ++i) {
    const auto& expected = ref.Sections[static_cast<size_t>(i)];
    ASSERT_EQ(list[i], expected.Name);
    const TStringList& lines = list.Lines(i);
    ASSERT_EQ(lines.Count(), static_cast<int32_t>(expected.Lines.size()));
    for (int32_t j = 0; j < lines.Count(); ++j) ASSERT_EQ(lines[j], expected.Lines[j]);
  }
}

TEST(Index, RandomOperationsAnswerLikeAPlainSearch) {
  for (unsigned seed = 1; seed <= 60; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    TIniDocument doc("", false);
    TReference ref;
    TRandomRun run(seed);
    for (int step = 0; step < 1500; ++step) {
      run.Step(doc, ref);
      if (testing::Test::HasFatalFailure()) return;
    }
    ExpectSameContent(doc, ref);
  }
}

TEST(Index, ListsChangedAsAWholeAreSearchedAfresh) {
  TStringList list;
  for (int i = 0; i < 100; ++i) list.Add("K" + std::to_string(99 - i) + "=" + std::to_string(i));
  EXPECT_EQ(list.IndexOfName("k0"), 99);
  list.Sort();
  EXPECT_EQ(list.IndexOfName("k0"), 0);
  EXPECT_EQ(list.IndexOf("k10=89"), 1);  // "K10=" sorts before "K1="
  TStringList copy(list);
  copy.Put(0, "other=1");
  EXPECT_EQ(copy.IndexOfName("k0"), -1);
  EXPECT_EQ(list.IndexOfName("k0"), 0);
  list.Assign(copy);
  EXPECT_EQ(list.IndexOfName("OTHER"), 0);
  list.Clear();
  EXPECT_EQ(list.IndexOfName("other"), -1);
}

}  // namespace
