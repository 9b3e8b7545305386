// The variables table: a view of the project's variable rows under a fixed
// header row, with in-place editing.
#pragma once

#include <QString>
#include <vector>

#include "model/model.h"
#include "ui/widgets/scrollview.h"

class QLabel;
class QLineEdit;
class QPainter;
class TCellEditor;

class TVariablesGrid : public TScrollView {
  Q_OBJECT
 public:
  explicit TVariablesGrid(QWidget* parent = nullptr);

  // The rows shown and changed; every change lands in them at once. Not owned.
  void Bind(std::vector<TVariableRow>* rows);
  // After "New": ends editing, re-reads the rows, current cell row 1, column 1.
  void Reset();
  // After the rows changed outside the table (an undone edit): ends editing and
  // re-reads them; the current cell stays, moved up to the last row if need be.
  void Reload();

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
  // The text at a column and a row (column first, as the table's users name it).
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

  // True when the data row's name cannot be saved besides another row's: a name
  // that another row has ignoring letter case, or ProgramName (see NameClashes).
  // Such name cells are marked while the user types, and the hint over them, or
  // at the cell editor as the name is typed, says why.
  bool NameClashes(int row) const;
  // That reason (as Save words it), empty for a row whose name is not marked.
  QString NameClashHint(int row) const;

 signals:
  // The user's changes, each once the rows hold it: a cell's text changed by an
  // edit that ended (rows and columns as CurrentRow and CurrentColumn count them),
  // a row inserted before `row`, the row `row` deleted (the only row: emptied).
  void cellEdited(int row, int column);
  // A cell's text of the row changed in place, while it is being edited as well.
  void rowChanged(int row);
  void rowInserted(int row);
  void rowDeleted(int row);

 protected:
  void DecideScrollBars() override;
  void paintEvent(QPaintEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  enum class TEditStart { SelectAll, CaretAtEnd };
  void StartEdit(TEditStart how);
  // Hides the editor; the rows keep the text typed so far.
  void CloseEditor();
  bool EditorKey(QKeyEvent* event);
  void EditorTab(bool next);
  void EditorFocusLost(Qt::FocusReason reason);
  void EditorTextChanged(const QString& text);
  // Moves the current cell; false when it cannot move there.
  bool MoveTo(int row, int column);
  int VerticalTarget(const QKeyEvent* event) const;  // -1 when not a vertical move
  // Keys while browsing; false for a key the table does not take.
  bool BrowsingKey(QKeyEvent* event);
  void VerticalKey(const QKeyEvent* event, bool ctrl);
  bool TypedKey(QKeyEvent* event);
  // Hands a copy of the key to the cell editor.
  void SendToEditor(const QKeyEvent* event);
  void InsertRow();
  void DeleteRow();
  void ScrollRows(int delta);
  void EnsureCurrentVisible();
  // The parts of the picture: data cells with their grid lines, and the header.
  void PaintDataRows(QPainter& painter) const;
  void PaintDataCell(QPainter& painter, int row, int column) const;
  void PaintHeader(QPainter& painter) const;
  void PlaceEditor();
  void ShowHint(const QPoint& viewportPos);
  void HideHint();
  // The model text of a data cell; row first, like every position but CellText.
  std::string& Cell(int row, int column);
  // Marks the clashing names of every row anew.
  void FindClashes();
  // Marks anew the rows named as `name` (model rows), the only ones whose mark a
  // change of a row to or from that name can change.
  void RecheckName(const std::string& name);
  void SetClash(size_t modelRow, bool clash);
  // Model rows from `from` on moved by `by` (a row inserted or deleted).
  void ShiftClashes(size_t from, int by);
  // Shows at the editor why the name typed is marked, or hides that hint.
  void ShowClashWhileTyping();

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
  std::vector<size_t> Clashing_;  // model rows whose names are marked, ascending
  bool ClashTipShown_ = false;
};
