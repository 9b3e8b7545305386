#include "reading_checks.h"

#include <cstdio>
#include <cstdlib>

#include "inifile/inifile.h"

namespace {

using profile::Escape;
using profile::SameAsciiText;

std::string BoolValue(bool flag) { return flag ? "1" : "0"; }

void Put(std::vector<MeantKey>& keys, const std::string& section, const std::string& key,
         const std::string& value) {
  for (MeantKey& k : keys) {
    if (SameText(k.Section, section) && SameText(k.Key, key)) {
      k = MeantKey{section, key, value, k.CaseAmbiguous || !SameAsciiText(k.Key, key)};
      return;
    }
  }
  keys.push_back(MeantKey{section, key, value});
}

// True when an earlier name equals names[index] ignoring letter case by the
// engine's folding but not by ASCII folding: Wine and Windows disagree on it.
bool CaseAmbiguous(const std::vector<std::string>& names, size_t index) {
  for (size_t i = 0; i < index; ++i) {
    if (SameText(names[i], names[index]) && !SameAsciiText(names[i], names[index])) return true;
  }
  return false;
}

bool Owned(const std::vector<MeantKey>& owned, const std::string& section, const std::string& key) {
  const std::string sectionRead = LookupName(section), keyRead = LookupName(key);
  for (const MeantKey& k : owned) {
    if (SameText(LookupName(k.Section), sectionRead) && SameText(LookupName(k.Key), keyRead))
      return true;
  }
  return false;
}

std::string_view TrimSetupSpace(std::string_view text) {
  const auto blank = [](char c) {
    return c == ' ' || c == '\t' || c == '\x0B' || c == '\x0C' || c == '\x1A';
  };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Describe(const std::string& section, const std::string& key,
                     const std::optional<std::string>& got, const std::string& want) {
  return "[" + Escape(section) + "] " + Escape(key) + " reads " +
         (got ? "\"" + Escape(*got) + "\"" : std::string("the default")) + ", expected \"" +
         Escape(want) + "\"";
}

}  // namespace

bool CaseAmbiguousSection(const profile::ProfileFile& file, const std::string& name) {
  for (const profile::Section& other : file.Sections()) {
    if (SameText(other.Name, name) && !SameAsciiText(other.Name, name)) return true;
  }
  return false;
}

std::string ListedName(std::string_view name) {
  name = TrimSetupSpace(name);
  return std::string(name.substr(0, name.find('\0')));
}

std::string LookupName(std::string_view name) {
  return std::string(TrimSetupSpace(ListedName(name)));
}

namespace {

// The codes of the ticked entries in their order, the final dialog's left out.
std::string SequenceValue(const TCheckList& list, int32_t finalDialog) {
  std::string value;
  bool first = true;
  for (const int32_t index : list.Order()) {
    if (index == finalDialog) continue;
    value += (first ? "" : ",") + list.Code(index);
    first = false;
  }
  return value;
}

}  // namespace

std::vector<MeantKey> MeantKeys(const TProject& p) {
  std::vector<MeantKey> keys;
  Put(keys, "Config", "PreInstallDialogSequence", SequenceValue(p.Pred, -1));
  Put(keys, "Config", "PostInstallDialogSequence", SequenceValue(p.Post, p.Post.KnownCount() - 1));
  Put(keys, "Config", "Languages", SequenceValue(p.Langs, -1));
  Put(keys, "Display", "ShowMainWindow", BoolValue(p.BackgroundEnabled));
  Put(keys, "Display", "ShowMainTitle", BoolValue(!p.MainTitleCaption.empty()));
  Put(keys, "Display", "ShowDialogTitle", BoolValue(!p.DialogTitleCaption.empty()));
  Put(keys, "Display", "ShowFinalDialog", BoolValue(p.Post.IsTicked(p.Post.KnownCount() - 1)));
  Put(keys, "Display", "GradientTopColor", ColorValue(p.TopColor));
  Put(keys, "Display", "GradientBottomColor", ColorValue(p.BottomColor));
  Put(keys, "Display", "MainTitleFont", FontValue(p.TitleFont));
  Put(keys, "Display", "MainTitleShadow", BoolValue(p.TitleShadow));
  Put(keys, "Display", "MainTitleShadowColor", ColorValue(p.TitleShadowColor));
  Put(keys, "Display", "DialogTitleFont", FontValue(p.DialogFont));
  Put(keys, "Display", "DialogTitleShadow", BoolValue(p.DialogShadow));
  Put(keys, "Display", "DialogTitleShadowColor", ColorValue(p.DialogShadowColor));
  Put(keys, "Display", "DialogPosition",
      std::to_string(p.DialogPosition.Horizontal) + "," +
          std::to_string(p.DialogPosition.Vertical));
  Put(keys, "Variables", "ProgramName", p.MainTitleCaption);
  for (const TVariableRow& row : p.Variables) {
    if (!row.Name.empty()) Put(keys, "Variables", row.Name, row.Value);
  }
  return keys;
}

std::vector<std::string> CheckMeantKeys(const std::vector<MeantKey>& meant,
                                        const profile::ProfileFile& saved) {
  std::vector<std::string> problems;
  for (const MeantKey& k : meant) {
    if (k.CaseAmbiguous) continue;
    const std::optional<std::string> got = saved.Value(k.Section, k.Key);
    if (got != k.Value) problems.push_back("owned key " + Describe(k.Section, k.Key, got, k.Value));
  }
  return problems;
}

std::vector<std::string> CheckOtherKeysKept(const profile::ProfileFile& before,
                                            const profile::ProfileFile& after,
                                            const std::vector<MeantKey>& owned) {
  std::vector<std::string> problems;
  const std::vector<profile::ReadSection> sections = before.ReadAll();
  for (const profile::ReadSection& section : sections) {
    if (section.Name.empty() || CaseAmbiguousSection(before, section.Name)) continue;
    std::vector<std::string> keyNames;
    keyNames.reserve(section.Values.size());
    for (const auto& kv : section.Values) keyNames.push_back(kv.first);
    for (size_t k = 0; k < section.Values.size(); ++k) {
      const auto& [key, value] = section.Values[k];
      if (Owned(owned, section.Name, key) || CaseAmbiguous(keyNames, k)) continue;
      const std::optional<std::string> got = after.Value(section.Name, key);
      if (got != value) problems.push_back("other key " + Describe(section.Name, key, got, value));
    }
  }
  return problems;
}

std::vector<std::string> CheckSameReading(const profile::ProfileFile& expected,
                                          const profile::ProfileFile& actual) {
  std::vector<std::string> problems = CheckOtherKeysKept(expected, actual, {});
  // Nothing may be added either.
  for (const profile::ReadSection& section : actual.ReadAll()) {
    if (section.Name.empty()) continue;
    for (const auto& [key, value] : section.Values) {
      if (!expected.Value(section.Name, key)) {
        problems.push_back("new key [" + Escape(section.Name) + "] " + Escape(key) + "=" +
                           Escape(value));
      }
    }
  }
  return problems;
}

void FailOnProblems(const std::vector<std::string>& problems, std::string_view title,
                    std::string_view input) {
  if (problems.empty()) return;
  std::fprintf(stderr, "%.*s\ninput: %s\n", static_cast<int>(title.size()), title.data(),
               Escape(input).c_str());
  for (const std::string& p : problems) std::fprintf(stderr, "  %s\n", p.c_str());
  std::abort();
}
