// Checks that compare what the setup program reads from a file (through the
// profile-function model) with what the editor meant. Shared by the fuzz
// targets and the Wine test; each returns the problems found, empty when none.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/model.h"
#include "profile_reader.h"

struct MeantKey {
  std::string Section;
  std::string Key;
  std::string Value;
  // Rows name the key in letters whose case only the engine folds (Cyrillic):
  // which spelling the file keeps decides whether Wine finds it, Windows always does.
  bool CaseAmbiguous = false;
};

// A name as the setup lists it (trimmed of its white space, cut at a NUL), and
// the name that a lookup of it finds: a lookup trims its argument, so a name
// listed as "Path\x0B" (from "Path\x0B\0x") reads as "Path".
std::string ListedName(std::string_view name);
std::string LookupName(std::string_view name);

// True when another section of the file, listed or not (one without readable
// keys counts too), has a name that only the engine's folding makes equal.
bool CaseAmbiguousSection(const profile::ProfileFile& file, const std::string& name);

// The keys that SaveProject owns and the values the project means: each list the
// codes of its ticked entries in their order (the final dialog's apart). Later rows
// whose names equal earlier ones ignoring letter case replace them.
std::vector<MeantKey> MeantKeys(const TProject& project);

// Every meant key reads as meant from `saved`, but for the case-ambiguous ones.
std::vector<std::string> CheckMeantKeys(const std::vector<MeantKey>& meant,
                                        const profile::ProfileFile& saved);

// Every key that the setup reads from `before`, apart from the owned ones
// (compared as looked up), reads the same from `after`. Keys of the section with the empty name
// (never asked for by name) and names whose Cyrillic letter case makes Wine and Windows disagree
// are left out.
std::vector<std::string> CheckOtherKeysKept(const profile::ProfileFile& before,
                                            const profile::ProfileFile& after,
                                            const std::vector<MeantKey>& owned);

// The same sections, keys and values, as the setup reads them.
std::vector<std::string> CheckSameReading(const profile::ProfileFile& expected,
                                          const profile::ProfileFile& actual);

// Prints the problems with a title and aborts when there are any.
void FailOnProblems(const std::vector<std::string>& problems, std::string_view title,
                    std::string_view input);
