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
  // Takes the problem of a line: its name and value as the file gives them,
  // why it is no row, and which line of its key it is (0 the first).
  using TReport = std::function<void(const std::string& name, const std::string& value,
                                     const std::string& why, int32_t occurrence)>;

  // Reading: appends each line that becomes a row to rows, which should be
  // empty; room for `lines` rows is made at once (a long list grown step by
  // step holds itself up to three times over while it moves). Without rows,
  // keeps only the names of the rows, one after the other, with room made
  // for nameBytes. Lines that are no row are only counted. rows must outlive
  // this object.
  TVariableRows(std::vector<TVariableRow>* rows, size_t lines, size_t nameBytes = 0);
  // Reporting: takes the lines again, in the same order, and hands `report`
  // the problem of each line that is no row, in file order, with its
  // line's place among the lines of its key (ProgramName lines are never
  // counted: no reported line has that name). With rows (those that the
  // reading made, which must outlive this object and stay unchanged), checks
  // that each line that is a row is the row read.
  TVariableRows(TReport report, const std::vector<TVariableRow>* rows);
  TVariableRows(const TVariableRows&) = delete;
  TVariableRows& operator=(const TVariableRows&) = delete;

  // Takes the next line of the section other than a ProgramName line, which
  // the caller handles. It becomes a row unless Save could not write it back
  // as it is: no name, a name with a leading blank, "[" or a control byte, a
  // name that an earlier row has (ignoring letter case), or a value with a
  // control byte; such a line is a problem instead. When reporting with rows,
  // false for a line that is another row than the one read: the lines are
  // not those that were read.
  bool Add(std::string_view name, std::string_view value);

  // How many lines were no row so far.
  size_t Problems() const { return Problems_; }
  // When reporting with rows, true when every row read has been met again.
  bool Complete() const { return Rows_ == nullptr || Count_ == Rows_->size(); }

 private:
  std::string Problem(const std::string& name, const std::string& value) const;
  std::string_view NameAt(size_t row) const;

  std::vector<TVariableRow>* Appended_ = nullptr;    // reading into rows
  const std::vector<TVariableRow>* Rows_ = nullptr;  // the rows, when there are any
  std::string Names_;           // without rows: the names of the rows, one after the other
  std::vector<uint32_t> Ends_;  // where each of them ends
  size_t Count_ = 0;            // the rows so far
  TReport Report_;              // when reporting
  TNameIndex Index_;
  std::unordered_map<std::string, int32_t> Reported_;  // reported lines, by folded name
  size_t Problems_ = 0;
};
