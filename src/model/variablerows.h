// The lines of a file's "Variables" section turned into the rows of the table
// one at a time, as "Open" reads them, so that a long section is never held
// twice: each line becomes a row or is a problem. The problems are found in a
// second pass over the same lines, after the rows are read, so that a file of
// millions of problem lines is never held as texts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/model.h"
#include "model/nameindex.h"

class TVariableRows {
 public:
  using TReport = std::function<void(TOpenProblem)>;

  // Reading: appends to rows, which should be empty; room for `lines` rows is
  // made at once (a long list grown step by step holds itself up to three
  // times over while it moves). Lines that are no row are only counted.
  // rows must outlive this object.
  TVariableRows(std::vector<TVariableRow>& rows, size_t lines);
  // Reporting: follows the rows that a reading made, given the same lines
  // again in the same order, and hands `report` the problem of each line that
  // is no row, in file order, each with its line's place among the lines of
  // its key (ProgramName lines are never counted: no reported line has that
  // name). rows must outlive this object and stay unchanged.
  TVariableRows(const std::vector<TVariableRow>& rows, TReport report);

  // Takes the next line of the section other than a ProgramName line, which
  // the caller handles. It becomes a row unless Save could not write it back
  // as it is: no name, a name with a leading blank, "[" or a control byte, a
  // name that an earlier row has (ignoring letter case), or a value with a
  // control byte; such a line is a problem instead. When reporting, false
  // for a line that the reading would have made another row of than the one
  // it made: the lines are not those that were read.
  bool Add(std::string_view name, std::string_view value);

  // How many lines were no row so far.
  size_t Problems() const { return Problems_; }
  // When reporting, true when every row read has been met again.
  bool Complete() const { return Next_ == Rows_.size(); }

 private:
  std::string Problem(const std::string& name, const std::string& value) const;

  std::vector<TVariableRow>* Appended_ = nullptr;  // when reading
  const std::vector<TVariableRow>& Rows_;
  size_t Next_ = 0;  // when reporting: the row that the next line is if it is one
  TReport Report_;   // when reporting
  TNameIndex Index_;
  std::unordered_map<std::string, int32_t> Reported_;  // reported lines, by folded name
  size_t Problems_ = 0;
};
