// Variable names that one configuration file cannot hold twice. The setup
// reads keys ignoring the letter case of ASCII and Windows-1251 letters, so
// rows named alike but for letter case are one key: saving both would write one
// over the other. The key ProgramName of "Variables" holds the main title, so a
// row of that name would write over it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/model.h"

// A row (from 0) whose name the file cannot hold besides another's: Other is
// the first row of that name, or kProgramNameRow for a row named ProgramName.
struct TNameClash {
  size_t Row = 0;
  size_t Other = 0;

  bool operator==(const TNameClash&) const = default;
};

inline constexpr size_t kProgramNameRow = static_cast<size_t>(-1);

// True when the name is ProgramName in any letter case.
bool IsProgramNameKey(const std::string& name);

// Every row, in row order, whose name is ProgramName or that an earlier row has,
// each with the first row of that name (ignoring letter case as the setup does).
// Rows with an empty name are never written and clash with nothing. Linear time.
std::vector<TNameClash> NameClashes(const std::vector<TVariableRow>& rows);

// The rows (from 0, ascending) whose name equals `name` ignoring letter case as
// the setup does; none for an empty name. Linear time.
std::vector<size_t> RowsNamedAs(const std::vector<TVariableRow>& rows, const std::string& name);

// The reason Save refuses a clash (UTF-8, Russian), naming both rows (counted
// from 1) and their names as they are spelled.
std::string NameClashText(const std::vector<TVariableRow>& rows, const TNameClash& clash);
