#include "model/variablerows.h"

#include <utility>

#include "inifile/inifile.h"
#include "model/lineproblem.h"
#include "model/valueparse.h"

TVariableRows::TVariableRows(std::vector<TVariableRow>& rows, size_t lines)
    : Rows_(rows), Index_([&rows](size_t row) -> std::string_view { return rows[row].Name; }) {
  Rows_.reserve(lines);
  Index_.Reserve(lines);
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

void TVariableRows::Add(std::string_view nameView, std::string_view valueView) {
  std::string name(nameView);
  std::string value(valueView);
  const std::string why = Problem(name, value);
  if (why.empty()) {
    Rows_.push_back(TVariableRow{std::move(name), std::move(value)});
    Index_.Insert(Rows_.size() - 1);
    return;
  }
  // Earlier lines of this key: the row, if one has the name, and the lines reported before.
  const int32_t occurrence = (Index_.Contains(name) ? 1 : 0) + Reported_[FoldedText(name)]++;
  Problems_.push_back(LineProblem("Variables", name, value, why, occurrence));
}
