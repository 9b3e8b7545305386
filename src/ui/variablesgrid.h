// The variables table: a view of the project's variable rows under a fixed
// header row, with in-place editing.
#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <vector>

#include "model/model.h"

class QLabel;
class QLineEdit;
class TCellEditor;

class TVariablesGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TVariablesGrid(QWidget* parent = nullptr);

  // The rows shown and changed; every change lands in them at once. Not owned.
  void Bind(std::vector<TVariableRow>* rows);
  // After "New": ends editing, re-reads the rows, current cell row 1, column 1.
  void Reset();

  static constexpr int ColumnWidth0 = 203;
  static constexpr int ColumnWidth1 = 200;
  static constexpr int RowHeight = 16;
  static constexpr int GridLineWidth = 1;
  static const QString HintText;  // two lines separated by CR LF

  // Rows count the header row 0; data row r is model row r - 1.
  int RowCount() const;
  int CurrentRow() const { return Row_; }
  int CurrentColumn() const { return Col_; }
  void SetCurrentCell(int row, int column);
  QString CellText(int column, int row) const;
  int TopRow() const { return TopRow_; }      // the first data row in view
  int VisibleDataRows() const;                // data rows fully in view
  QRect CellRect(int row, int column) const;  // viewport coordinates
  // The cell under a viewport point; false outside the cells.
  bool CellAt(const QPoint& viewportPos, int& row, int& column) const;

  bool IsEditing() const { return Editing_; }
  QLineEdit* Editor() const;
  // Ends editing, keeping the text typed so far.
  void EndEdit();
  QLabel* HintWindow() const { return Hint_; }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  enum class TEditStart { SelectAll, CaretAtEnd };
  void StartEdit(TEditStart how);
  bool EditorKey(QKeyEvent* event);
  void EditorTab(bool next);
  void EditorFocusLost(Qt::FocusReason reason);
  void EditorTextChanged(const QString& text);
  // Moves the current cell; false when it cannot move there.
  bool MoveTo(int row, int column);
  int VerticalTarget(const QKeyEvent* event) const;  // -1 when not a vertical move
  void InsertRow();
  void DeleteRow();
  void ScrollRows(int delta);
  void EnsureCurrentVisible();
  void UpdateScrollBars();
  void PlaceEditor();
  void ShowHint(const QPoint& viewportPos);
  void HideHint();
  std::string& Cell(int column, int row);

  std::vector<TVariableRow>* Rows_ = nullptr;
  int Row_ = 1;
  int Col_ = 1;
  int TopRow_ = 1;
  bool Editing_ = false;
  QString Remembered_;
  TCellEditor* Editor_ = nullptr;
  QLabel* Hint_ = nullptr;
  int HintRow_ = -1;
  int HintCol_ = -1;
  int WheelRemainder_ = 0;
  bool UpdatingBars_ = false;
};
