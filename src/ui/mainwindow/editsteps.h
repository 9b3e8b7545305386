// The steps of the edit history: each takes back one edit of the project and
// makes it again, and brings the views up to date. A step is made after its
// edit is in the project, so its first redo (when it is pushed) does nothing.
#pragma once

#include <QUndoCommand>
#include <cstddef>
#include <functional>
#include <vector>

#include "model/projectstate.h"
#include "ui/mainwindow/projectview.h"

class TCheckListBox;

// One entry of a list ticked or unticked.
class TTickStep : public QUndoCommand {
 public:
  // list: the view whose list holds the entry; ticked: the entry's new tick;
  // position: its place in the order while ticked (-1: where a new tick goes).
  TTickStep(TCheckListBox& list, int index, bool ticked, int position = -1);

  void undo() override;
  void redo() override;

 private:
  void Apply(bool ticked);

  TCheckListBox& List_;
  int Index_;
  bool Ticked_;
  int Position_;
  bool Pushed_ = false;
};

// One ticked entry of a list moved to another place in the order of the ticked entries.
class TOrderStep : public QUndoCommand {
 public:
  TOrderStep(TCheckListBox& list, int index, int from, int to);

  void undo() override;
  void redo() override;

 private:
  void Apply(int position);

  TCheckListBox& List_;
  int Index_;
  int From_;
  int To_;
  bool Pushed_ = false;
};

// The project as it was before and after an edit, with the mock-up.
struct TEditState {
  TProjectState Project;
  TMockupState Mockup;

  bool operator==(const TEditState&) const = default;
};

// A part of the project changed: by a dialog, in the table, or by "New".
class TProjectStep : public QUndoCommand {
 public:
  TProjectStep(const QString& text, TProject& project, TProjectView& view, TEditState before,
               TEditState after);

  void undo() override;
  void redo() override;
  TProjectPart Part() const { return After_.Project.Part(); }

 private:
  void Apply(const TEditState& state);

  TProject& Project_;
  TProjectView& View_;
  TEditState Before_;
  TEditState After_;
  bool Pushed_ = false;
};

// One change of the variables rows.
struct TRowChange {
  enum class TKind { Replace, Insert, Erase };
  TKind Kind = TKind::Replace;
  size_t Index = 0;     // of the row, from 0
  TVariableRow Before;  // Replace and Erase: the row before the change
  TVariableRow After;   // Replace and Insert: the row after it
};

// Makes the change in the rows (forward) or takes it back.
void ApplyRowChange(std::vector<TVariableRow>& rows, const TRowChange& change, bool forward);

// A change of one variables row, kept as that row alone.
class TRowStep : public QUndoCommand {
 public:
  // apply(change, forward, pushed) makes the change or takes it back; `pushed`
  // is true for the redo when the step is pushed, the change being made already.
  using TApply = std::function<void(const TRowChange&, bool, bool)>;
  TRowStep(const QString& text, TRowChange change, TApply apply);

  void undo() override;
  void redo() override;

 private:
  TRowChange Change_;
  TApply Apply_;
  bool Pushed_ = false;
};
