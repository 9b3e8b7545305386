// "--set NAME=VALUE ... --unset NAME ... FILE": variables and keys changed as the
// window changes them, then saved as "Save" saves.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/checkmode.h"
#include "cli/valuename.h"

// Exit statuses of --set and --unset.
inline constexpr int kSetSaved = 0;
inline constexpr int kSetFileProblems = 1;  // the file holds problems; nothing written
inline constexpr int kSetRefused = 2;       // a change is refused or a file cannot be used

struct TSetRequest {
  TNamedFile File;
  std::string Catalogue;  // --catalogue, or empty: the one "Open" would choose
  std::vector<TValueChange> Changes;
  bool Quiet = false;  // no "FILE: сохранён" on `out`
};

// Opens the file as "Open" does (a missing one starts as "New" with the catalogue),
// makes the changes and saves as "Save" does: in place, keeping every other line, in
// one crash-safe rewrite under Save's lock; the keys of an --unset lose every line.
// Before anything is written it refuses, naming the argument and why on `errors`:
// - a file with problems that "Open" reports (printed as --check prints them);
// - a name or value that the engine cannot store so that it reads back;
// - a change that "Open" of the changed file reports (a Config or Display value that
//   it does not take, a value with a control byte, a hidden title's ProgramName...);
// - a change that the saved file would not give back as given (a key that the editor
//   does not write, or a value it writes in another form);
// - the removal of ProgramName or a Config or Display key, which Save always writes.
// Then nothing is written. Returns the exit status.
int SetValues(const TSetRequest& request, std::ostream& out, std::ostream& errors);
