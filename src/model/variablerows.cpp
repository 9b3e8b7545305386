#include "model/variablerows.h"

#include <utility>

#include "inifile/inifile.h"
#include "model/lineproblem.h"
#include "model/valueparse.h"

TVariableRows::TVariableRows(std::vector<TVariableRow>& rows, size_t lines)
    : Appended_(&rows),
      Rows_(rows),
      Index_([&rows](size_t row) -> std::string_view { return rows[row].Name; }) {
  // Room that no row takes is never touched, and so costs no memory; the index, whose
  // room is filled in as it is made, grows with the names instead: many lines may repeat one.
  rows.reserve(lines);
}

TVariableRows::TVariableRows(const std::vector<TVariableRow>& rows, TReport report)
    : Rows_(rows),
      Report_(std::move(report)),
      Index_([&rows](size_t row) -> std::string_view { return rows[row].Name; }) {
  Index_.Reserve(rows.size());
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
  if (Appended_ == nullptr && Next_ < Rows_.size() && Rows_[Next_].Name == nameView &&
      Rows_[Next_].Value == valueView) {
    // No line that is a problem equals the next row: its name is empty, could not be
    // written, or is that of an earlier row, or its value holds a control byte.
    Index_.Insert(Next_++);
    return true;
  }
  std::string name(nameView);
  std::string value(valueView);
  const std::string why = Problem(name, value);
  if (why.empty()) {
    if (Appended_ == nullptr) return false;
    Appended_->push_back(TVariableRow{std::move(name), std::move(value)});
    Index_.Insert(Appended_->size() - 1);
    return true;
  }
  ++Problems_;
  if (!Report_) return true;
  // Earlier lines of this key: the row, if one has the name, and the lines reported before.
  const int32_t occurrence = (Index_.Contains(name) ? 1 : 0) + Reported_[FoldedText(name)]++;
  Report_(LineProblem("Variables", name, value, why, occurrence));
  return true;
}
