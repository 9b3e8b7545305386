// The lines of a file's "Variables" section turned into the rows of the table
// one at a time, as "Open" reads them, so that a long section is never held
// twice: each line becomes a row or is reported.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/model.h"
#include "model/nameindex.h"

class TVariableRows {
 public:
  // Appends to rows, which should be empty; room for `lines` rows is made at
  // once (a long list grown step by step holds itself up to three times over
  // while it moves). rows must outlive this object.
  TVariableRows(std::vector<TVariableRow>& rows, size_t lines);

  // Takes the next line of the section other than a ProgramName line, which
  // the caller handles. It becomes a row unless Save could not write it back
  // as it is: no name, a name with a leading blank, "[" or a control byte, a
  // name that an earlier row has (ignoring letter case), or a value with a
  // control byte; such a line is reported instead.
  void Add(std::string_view name, std::string_view value);

  // The reports, in file order, each with its line's place among the lines of
  // its key (ProgramName lines are never counted: no reported line has that name).
  std::vector<TOpenProblem>& Problems() { return Problems_; }

 private:
  std::string Problem(const std::string& name, const std::string& value) const;

  std::vector<TVariableRow>& Rows_;
  TNameIndex Index_;
  std::unordered_map<std::string, int32_t> Reported_;  // reported lines, by folded name
  std::vector<TOpenProblem> Problems_;
};
