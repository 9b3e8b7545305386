// The edit history of the main window: every change that "Save" would write is
// one step that "Отменить" takes back and "Повторить" makes again. The history
// keeps which step was last opened or saved (the clean state).
#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "model/model.h"
#include "model/projectstate.h"
#include "ui/mainwindow/editsteps.h"

class QAction;
class QUndoStack;
class TCheckListBox;
class TProjectView;

class TEditHistory : public QObject {
  Q_OBJECT
 public:
  // The project and its views must outlive the history.
  TEditHistory(TProject& project, TProjectView& view, QObject* parent = nullptr);

  QUndoStack& Stack() const { return *Stack_; }

  // The undo and redo commands of the menu (their handlers call Undo and Redo):
  // enabled while there is a step to take back or make again, their texts naming
  // it ("Отменить: галочка «Русский»").
  void Attach(QAction* undo, QAction* redo);
  // Sets the commands' texts anew (in another interface language); the steps keep
  // the names they were recorded with.
  void UpdateActions();

  // The part of the project (and the mock-up) as it is now, for Record.
  TEditState Take(TProjectPart part) const;
  // Records the change since `before` (taken of the same part) as one step
  // named `text`; nothing when the part is as it was. True when recorded.
  bool Record(const QString& text, const TEditState& before);
  // Records the tick that the list view's user has just toggled; position: the
  // entry's place in the order after a tick or before an untick (as the view reports it).
  void RecordTick(TCheckListBox& list, int index, int position = -1);
  // Records the move of a ticked entry in the order that the list view's user has just made.
  void RecordMove(TCheckListBox& list, int index, int from, int to);
  // Records the change of the variables rows since the last step that touched them.
  void RecordVariables(const QString& text);
  // The same, as the table reports its changes (rows counted from 1, as the
  // table counts them): the row changed in place, inserted before `row`, or
  // deleted (the only row: emptied). Each step keeps that row alone.
  void RecordRowChange(int row, const QString& text);
  void RecordRowInserted(int row, const QString& text);
  void RecordRowDeleted(int row, const QString& text);

  // Takes back the last step, or makes the next one again; nothing when none.
  void Undo();
  void Redo();

  // The project as it is now is the one last opened or saved.
  void SetClean();
  bool IsClean() const;
  // Forgets every step: the project as it is now was opened or read again.
  void Clear();

 signals:
  // A step was recorded, taken back or made again, or the history was cleared.
  void changed();
  // A step taken back or made again changed the variables row at `index` (from
  // 0) in place, or (index -1) rows were inserted, erased or replaced at once.
  void rowsChanged(int index);

 private:
  void StepsMoved(int index);
  // Pushes the change, already made in the project's rows, as one step.
  void PushRowChange(const QString& text, TRowChange change);
  // Applies a row step taken back or made again (see TRowStep).
  void ApplyRows(const TRowChange& change, bool forward, bool pushed);
  // The rows follow the project's again, after they changed at once.
  void TakeRows();

  TProject& Project_;
  TProjectView& View_;
  QUndoStack* Stack_;
  QAction* Undo_ = nullptr;
  QAction* Redo_ = nullptr;
  // The rows as the last step left them: the table reports a change after it.
  std::vector<TVariableRow> Rows_;
  int Index_ = 0;         // of the stack, as last seen
  bool Pushing_ = false;  // a step is being pushed
};
