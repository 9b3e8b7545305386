// The variables table: a view of the project's variable rows under a fixed
// header row, with in-place editing.
#pragma once

#include <QAbstractScrollArea>
#include <vector>

#include "model/model.h"

class TVariablesGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TVariablesGrid(QWidget* parent = nullptr);

  // The rows shown and changed; every change lands in them at once. Not owned.
  void Bind(std::vector<TVariableRow>* rows);
  // After "New": ends editing, re-reads the rows, current cell row 1, column 1.
  void Reset();

 private:
  std::vector<TVariableRow>* Rows_ = nullptr;
};
