// A check list view of the model's TCheckList: entries with a flat check box
// strip, in one or more columns.
#pragma once

#include <QAbstractScrollArea>

#include "model/model.h"

class TCheckListBox : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TCheckListBox(QWidget* parent = nullptr);

  // The list shown and changed; every change lands in it at once. Not owned.
  void Bind(TCheckList* list);
  TCheckList* List() const { return List_; }
  void SetColumns(int columns);
  // Re-reads the list after it changed outside the view.
  void Reload();

 private:
  TCheckList* List_ = nullptr;
  int Columns_ = 1;
};
