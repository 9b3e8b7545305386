// The variables rows as they were last opened or saved, against the rows now, in
// what "Save" writes of them: the rows with a name, in their order. Told which
// row changed, it follows an edit of that row without looking at the others.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/model.h"

class TSavedVariables {
 public:
  // The rows as they are now count as saved.
  void MarkSaved(const std::vector<TVariableRow>& rows);
  // Compares every row again: after rows were inserted, erased or replaced at once.
  void Recount(const std::vector<TVariableRow>& rows);
  // The row at `index` changed in place; the others are as at the last call. A row
  // that gains or loses its name moves the named rows after it: then every row is
  // compared again.
  void RowChanged(const std::vector<TVariableRow>& rows, size_t index);
  // A row was inserted at `index`, or erased from there; the others are as at the
  // last call. A row without a name moves no named row: the others are not compared.
  void RowInserted(const std::vector<TVariableRow>& rows, size_t index);
  void RowErased(const std::vector<TVariableRow>& rows, size_t index);

  // True when "Save" would write other rows than the saved ones, as the rows
  // stood at the last call.
  bool Differs() const { return Mismatches_ > 0 || Named_ != Saved_.size(); }
  // The same for the rows given, comparing them all.
  bool DiffersFrom(const std::vector<TVariableRow>& rows) const;
  // The rows followed, as many as at the last call.
  size_t Rows() const { return Place_.size(); }
  // How many rows have been compared with saved ones so far: the work done.
  uint64_t Comparisons() const { return Comparisons_; }

 private:
  static constexpr int32_t kUnnamed = -1;
  // Whether the row differs from the saved row at the same place among the named.
  bool Mismatch(const TVariableRow& row, int32_t place);

  std::vector<TVariableRow> Saved_;  // the named rows, in order
  std::vector<int32_t> Place_;       // each row's place among the named rows, or kUnnamed
  std::vector<bool> Differ_;         // each row's Mismatch
  size_t Named_ = 0;
  size_t Mismatches_ = 0;
  uint64_t Comparisons_ = 0;
};
