// A check list view of the model's TCheckList: entries with a flat check box
// strip, in one or more columns. Each ticked entry in the order of the ticked
// entries (TCheckList::Order) shows its place in it, from 1, at the right end of
// its row; Ctrl+Up and Ctrl+Down, or "Выше" and "Ниже" in the context menu of an
// entry, move the selected ticked entry one place in that order.
#pragma once

#include "model/model.h"
#include "ui/widgets/scrollview.h"

// The text shown for the entry: its name, and for a code that the catalogue does
// not know, the code followed by the mark " (нет в каталоге)".
QString EntryText(const TCheckList& list, int index);

class TCheckListBox : public TScrollView {
  Q_OBJECT
  Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
 public:
  explicit TCheckListBox(QWidget* parent = nullptr);

  // The list shown and changed; every change lands in it at once. Not owned.
  void Bind(TCheckList* list);
  TCheckList* List() const { return List_; }
  void SetColumns(int columns);
  int Columns() const { return Columns_; }
  // Re-reads the list after it changed outside the view.
  void Reload();

  // The double-click handler: inverts the tick of the selected entry, if any.
  void LangsDblClick();
  // Selects the entry and inverts its tick, as a click on its check box does
  // (tickToggled follows); the toggle action of assistive technology.
  void ToggleEntry(int index);
  // Moves the selected entry, when it has a place in the order, `delta` places in
  // it (not beyond its ends); true when it moved, and then orderMoved is emitted.
  bool MoveSelected(int delta);

  // Layout, in viewport coordinates.
  int ItemHeight() const;
  int ColumnWidth() const;  // the width of one entry
  static constexpr int CheckStripWidth = 15;
  static constexpr int CheckBoxSize = 13;
  int RowsPerColumn() const;
  // The first entry shown (one column) or the first column shown (several).
  int ScrollPosition() const;
  QRect ItemRect(int index) const;
  int IndexAt(const QPoint& viewportPos) const;  // -1 below the entries
  void EnsureVisible(int index);

 signals:
  // The user ticked or unticked the entry (the list already holds the new tick);
  // position: the entry's place in the order after a tick, or before an untick
  // (-1 for the final entry, which has none).
  void tickToggled(int index, int position);
  // The user moved the entry from one place of the order to another (the list
  // already holds the new order).
  void orderMoved(int index, int from, int to);

 protected:
  void DecideScrollBars() override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  int Count() const;
  void Toggle(int index);
  void SelectAndShow(int index);
  void PressAt(const QPoint& viewportPos);
  int VisibleColumns() const;
  // Draws the entry's place in the order at the right end of the text area; returns
  // the width it takes there (0 for an entry without a place).
  int DrawPosition(QPainter& painter, int index, const QRect& textArea, const QColor& color);

  TCheckList* List_ = nullptr;
  int Columns_ = 1;
  // The entry under the last left press that no double-click has completed yet.
  int FirstPressIndex_ = -1;
};
