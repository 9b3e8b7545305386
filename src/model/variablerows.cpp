#include "model/variablerows_p.h"

#include <utility>

#include "inifile/inifile.h"
#include "model/valueparse_p.h"

TVariableRows::TVariableRows(std::vector<TVariableRow>* rows, size_t lines, size_t nameBytes)
    : Appended_(rows), Rows_(rows), Index_([this](size_t row) { return NameAt(row); }) {
  // Room that no row takes is never touched, and so costs no memory; the index, whose
  // room is filled in as it is made, grows with the names instead: many lines may repeat one.
  if (rows != nullptr) {
    rows->reserve(lines);
  } else {
    Names_.reserve(nameBytes);
    Ends_.reserve(lines);
  }
}

TVariableRows::TVariableRows(TReport report, const std::vector<TVariableRow>* rows)
    : Rows_(rows), Report_(std::move(report)), Index_([this](size_t row) { return NameAt(row); }) {}

std::string_view TVariableRows::NameAt(size_t row) const {
  if (Rows_ != nullptr) return (*Rows_)[row].Name;
  const size_t start = row == 0 ? 0 : Ends_[row - 1];
  return std::string_view(Names_).substr(start, Ends_[row] - start);
}

std::string TVariableRows::Problem(const std::string& name, const std::string& value) const {
  if (name.empty()) return "переменная без имени";
  if (!IsStorableVariableName(name)) {
    return "такое имя переменной нельзя сохранить (пробел или табуляция в начале, «[» в "
           "начале или управляющий символ)";
  }
  if (Index_.Contains(name)) return "переменная с этим именем уже есть выше; используется первая";
  if (HoldsControlByte(value)) return "значение содержит управляющий символ";
  return {};
}

bool TVariableRows::Add(std::string_view nameView, std::string_view valueView) {
  std::string name(nameView);
  std::string value(valueView);
  // With the same rows before it in the index, a line is a row in every pass or in none.
  const std::string why = Problem(name, value);
  if (why.empty()) {
    if (Appended_ != nullptr) {
      Appended_->push_back(TVariableRow{std::move(name), std::move(value)});
    } else if (Rows_ != nullptr) {
      if (Count_ >= Rows_->size() || (*Rows_)[Count_].Name != name ||
          (*Rows_)[Count_].Value != value)
        return false;
    } else {
      Names_ += name;
      Ends_.push_back(static_cast<uint32_t>(Names_.size()));
    }
    Index_.Insert(Count_++);
    return true;
  }
  ++Problems_;
  if (!Report_) return true;
  // Earlier lines of this key: the row, if one has the name, and the lines reported before.
  const int32_t occurrence = (Index_.Contains(name) ? 1 : 0) + Reported_[FoldedText(name)]++;
  Report_(name, value, why, occurrence);
  return true;
}
