// The three lists hold the codes they show and keep the order of their ticked
// entries: what Save writes depends neither on the catalogue's content at that
// time nor on the catalogue's order of the entries.
#include <gtest/gtest.h>

#include <algorithm>
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

const char* const kCatalogue =
    "[Languages]\nРусский=RUS\nEnglish=ENU\nDeutsch=DEU\n"
    "[PreInstallDlg]\nЛицензия=License\nПапка=SelectDir\n"
    "[PostInstallDlg]\nИнфо=Info\nКонец=Finished\n";

// The line of the key in the file's bytes, without its line end.
std::string Line(const std::string& bytes, const std::string& key) {
  const size_t at = bytes.find("\r\n" + key + "=");
  if (at == std::string::npos) return "(none)";
  return bytes.substr(at + 2, bytes.find("\r\n", at + 2) - at - 2);
}

}  // namespace

// Each change of the catalogue after the lists were filled (by New or by Open)
// leaves what Save writes as it was before the change.
TEST(SaveProject, WritesTheCodesThatTheListsHeldWhateverBecameOfTheCatalogueSince) {
  struct TChange {
    const char* Name;
    const char* Catalogue;  // nullptr: the catalogue is removed
  };
  const TChange changes[] = {
      {"catalogue removed", nullptr},
      {"entry removed",
       "[Languages]\nРусский=RUS\nDeutsch=DEU\n[PreInstallDlg]\nПапка=SelectDir\n"},
      {"entry recoded",
       "[Languages]\nРусский=RUS\nEnglish=ENG\nDeutsch=DEU\n"
       "[PreInstallDlg]\nЛицензия=Lic\nПапка=Dir\n[PostInstallDlg]\nКонец=End\n"},
  };
  for (const bool opened : {false, true}) {
    for (const TChange& change : changes) {
      SCOPED_TRACE(std::string(change.Name) + (opened ? " after Open" : " after New"));
      TTempDir dir;
      const std::string catalogue = dir / "version.ini";
      WriteBytes(catalogue, CrLf(kCatalogue));
      TProject p;
      if (opened) {
        WriteBytes(dir / "vuka.ini", CrLf("[Config]\nPreInstallDialogSequence=SelectDir,License\n"
                                          "PostInstallDialogSequence=Info\nLanguages=ENU,RUS\n"));
        OpenProject(p, dir / "vuka.ini", catalogue);
      } else {
        ResetProject(p, catalogue);
        p.Langs.SetTick(1, true);
        p.Pred.SetTick(1, true);
      }
      SaveProject(p, dir / "before.ini");
      const std::string before = ReadBytes(dir / "before.ini");
      EXPECT_EQ(Line(before, "Languages"), opened ? "Languages=ENU,RUS" : "Languages=RUS,ENU");

      std::filesystem::remove(catalogue);
      if (change.Catalogue != nullptr) WriteBytes(catalogue, CrLf(change.Catalogue));
      SaveProject(p, dir / "before.ini");
      SaveProject(p, dir / "after.ini");
      EXPECT_EQ(ReadBytes(dir / "before.ini"), before);
      EXPECT_EQ(ReadBytes(dir / "after.ini"), before);
    }
  }
}

namespace {

class TOrderCase {
 public:
  explicit TOrderCase(uint32_t seed) : Random_(seed) {}

  // A catalogue of a few entries per list, names and codes unique ignoring letter
  // case; the codes of each list, in catalogue order, go to `codes`.
  std::string Catalogue(std::vector<std::string> (&codes)[3]) {
    std::string text;
    const char* const sections[] = {"Languages", "PreInstallDlg", "PostInstallDlg"};
    for (int32_t s = 0; s < 3; ++s) {
      text += std::string("[") + sections[s] + "]\r\n";
      for (int32_t n = Below(6); n > 0; --n) {
        codes[s].push_back(Unique(codes[s]));
        text += "E" + std::to_string(n) + Cp("ё") + "=" + codes[s].back() + "\r\n";
      }
    }
    return text;
  }

  // A sequence of some of the codes (never the final dialog's: `usable` of them) and
  // of codes that the catalogue lacks, in an order of chance.
  std::vector<std::string> Sequence(const std::vector<std::string>& codes, size_t usable) {
    std::vector<std::string> taken = codes;
    std::vector<std::string> sequence;
    for (size_t i = 0; i < usable; ++i) {
      if (Below(3) != 0) sequence.push_back(codes[i]);
    }
    for (int32_t n = Below(3); n > 0; --n) {
      taken.push_back(Unique(taken));
      sequence.push_back(taken.back());
    }
    std::shuffle(sequence.begin(), sequence.end(), Random_);
    return sequence;
  }

 private:
  int32_t Below(int32_t n) { return std::uniform_int_distribution<int32_t>(0, n - 1)(Random_); }

  // A code unlike every code in `taken`, ignoring letter case.
  std::string Unique(const std::vector<std::string>& taken) {
    const std::string letters = "aAbBzZ09_." + Cp("яЯ");
    for (;;) {
      std::string code;
      for (int32_t n = 1 + Below(3); n > 0; --n) code += letters[static_cast<size_t>(Below(12))];
      bool unique = true;
      for (const std::string& other : taken) unique = unique && !SameText(other, code);
      if (unique) return code;
    }
  }

  std::mt19937 Random_;
};

std::string Joined(const std::vector<std::string>& codes) {
  std::string text;
  for (const std::string& code : codes) text += (text.empty() ? "" : ",") + code;
  return text;
}

std::string OrderCodes(const TCheckList& list) {
  std::vector<std::string> codes;
  for (const int32_t index : list.Order()) codes.push_back(list.Code(index));
  return Joined(codes);
}

}  // namespace

// Random catalogues and files whose sequences, unknown codes among them, follow
// an order of chance: Open ticks in the file's order, and Save writes the file back
// byte for byte.
TEST(OpenProject, KeepsTheFilesOrderOfEachSequenceAndSaveWritesItBackUnchanged) {
  TTempDir dir("/dev/shm");
  const char* const keys[] = {"Languages", "PreInstallDialogSequence", "PostInstallDialogSequence"};
  for (uint32_t seed = 0; seed < 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    TOrderCase random(seed);
    std::vector<std::string> codes[3];
    WriteBytes(dir / "version.ini", random.Catalogue(codes));
    std::string sequences[3];
    std::string config = "[Config]\r\n";
    for (size_t s = 0; s < 3; ++s) {
      const size_t usable = s == 2 && !codes[s].empty() ? codes[s].size() - 1 : codes[s].size();
      sequences[s] = Joined(random.Sequence(codes[s], usable));
      config += std::string(keys[s]) + "=" + sequences[s] + "\r\n";
    }
    WriteBytes(dir / "vuka.ini", config);
    TProject p;
    OpenProject(p, dir / "vuka.ini", dir / "version.ini");
    EXPECT_EQ(OrderCodes(p.Langs), sequences[0]);
    EXPECT_EQ(OrderCodes(p.Pred), sequences[1]);
    EXPECT_EQ(OrderCodes(p.Post), sequences[2]);

    SaveProject(p, dir / "vuka.ini");  // adds the other keys; the sequences stay
    const std::string saved = ReadBytes(dir / "vuka.ini");
    for (size_t s = 0; s < 3; ++s)
      EXPECT_EQ(Line(saved, keys[s]), std::string(keys[s]) + "=" + sequences[s]);
    OpenProject(p, dir / "vuka.ini", dir / "version.ini");
    SaveProject(p, dir / "vuka.ini");
    ASSERT_EQ(ReadBytes(dir / "vuka.ini"), saved);
  }
}
