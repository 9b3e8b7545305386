#include "model/savedvariables.h"

void TSavedVariables::MarkSaved(const std::vector<TVariableRow>& rows) {
  Saved_.clear();
  for (const TVariableRow& row : rows) {
    if (!row.Name.empty()) Saved_.push_back(row);
  }
  Recount(rows);
}

void TSavedVariables::Recount(const std::vector<TVariableRow>& rows) {
  Place_.assign(rows.size(), kUnnamed);
  Differ_.assign(rows.size(), false);
  Named_ = 0;
  Mismatches_ = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].Name.empty()) continue;
    Place_[i] = static_cast<int32_t>(Named_++);
    Differ_[i] = Mismatch(rows[i], Place_[i]);
    Mismatches_ += Differ_[i] ? 1 : 0;
  }
}

void TSavedVariables::RowChanged(const std::vector<TVariableRow>& rows, size_t index) {
  if (rows.size() != Place_.size() || index >= rows.size() ||
      rows[index].Name.empty() != (Place_[index] == kUnnamed)) {
    Recount(rows);
    return;
  }
  if (Place_[index] == kUnnamed) return;  // still not written
  const bool differs = Mismatch(rows[index], Place_[index]);
  Mismatches_ = Mismatches_ - (Differ_[index] ? 1 : 0) + (differs ? 1 : 0);
  Differ_[index] = differs;
}

void TSavedVariables::RowInserted(const std::vector<TVariableRow>& rows, size_t index) {
  if (rows.size() != Place_.size() + 1 || index >= rows.size() || !rows[index].Name.empty()) {
    Recount(rows);
    return;
  }
  Place_.insert(Place_.begin() + static_cast<std::ptrdiff_t>(index), kUnnamed);
  Differ_.insert(Differ_.begin() + static_cast<std::ptrdiff_t>(index), false);
}

void TSavedVariables::RowErased(const std::vector<TVariableRow>& rows, size_t index) {
  if (rows.size() + 1 != Place_.size() || index >= Place_.size() || Place_[index] != kUnnamed) {
    Recount(rows);
    return;
  }
  Place_.erase(Place_.begin() + static_cast<std::ptrdiff_t>(index));
  Differ_.erase(Differ_.begin() + static_cast<std::ptrdiff_t>(index));
}

bool TSavedVariables::DiffersFrom(const std::vector<TVariableRow>& rows) const {
  size_t place = 0;
  for (const TVariableRow& row : rows) {
    if (row.Name.empty()) continue;
    if (place >= Saved_.size() || !(row == Saved_[place])) return true;
    ++place;
  }
  return place != Saved_.size();
}

bool TSavedVariables::Mismatch(const TVariableRow& row, int32_t place) {
  ++Comparisons_;
  const auto at = static_cast<size_t>(place);
  return at >= Saved_.size() || !(row == Saved_[at]);
}
