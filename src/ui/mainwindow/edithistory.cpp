#include "ui/mainwindow/edithistory.h"

#include <QAction>
#include <QUndoStack>
#include <algorithm>

#include "ui/mainwindow/projectview.h"
#include "ui/widgets/checklistbox.h"

namespace {

// Steps beyond this many are forgotten, the oldest first.
constexpr int kUndoLimit = 200;

QString ActionText(const QString& command, const QString& step) {
  return step.isEmpty() ? command : command + QStringLiteral(": ") + step;
}

}  // namespace

TEditHistory::TEditHistory(TProject& project, TProjectView& view, QObject* parent)
    : QObject(parent),
      Project_(project),
      View_(view),
      Stack_(new QUndoStack(this)),
      Rows_(project.Variables) {
  Stack_->setUndoLimit(kUndoLimit);
  connect(Stack_, &QUndoStack::indexChanged, this, &TEditHistory::StepsMoved);
  connect(Stack_, &QUndoStack::cleanChanged, this, &TEditHistory::changed);
}

void TEditHistory::Attach(QAction* undo, QAction* redo) {
  Undo_ = undo;
  Redo_ = redo;
  UpdateActions();
}

TEditState TEditHistory::Take(TProjectPart part) const {
  return {TProjectState(Project_, part), View_.Mockup()};
}

bool TEditHistory::Record(const QString& text, const TEditState& before) {
  TEditState after = Take(before.Project.Part());
  if (after == before) return false;
  const bool rows = before.Project.Part() != TProjectPart::Settings;
  Pushing_ = true;
  Stack_->push(new TProjectStep(text, Project_, View_, before, std::move(after)));
  Pushing_ = false;
  if (rows) TakeRows();
  UpdateActions();
  emit changed();
  return true;
}

void TEditHistory::RecordTick(TCheckListBox& list, int index, int position) {
  Stack_->push(new TTickStep(list, index, list.List()->IsTicked(index), position));
}

void TEditHistory::RecordMove(TCheckListBox& list, int index, int from, int to) {
  Stack_->push(new TOrderStep(list, index, from, to));
}

void TEditHistory::RecordVariables(const QString& text) {
  TProject before;
  before.Variables = Rows_;
  Record(text, {TProjectState(before, TProjectPart::Variables), View_.Mockup()});
}

// Each of the three falls back on comparing every row when the rows do not
// stand as the table's report says.
void TEditHistory::RecordRowChange(int row, const QString& text) {
  const auto index = static_cast<size_t>(row - 1);
  const std::vector<TVariableRow>& rows = Project_.Variables;
  if (row < 1 || rows.size() != Rows_.size() || index >= rows.size()) {
    RecordVariables(text);
  } else if (!(rows[index] == Rows_[index])) {
    PushRowChange(text, {TRowChange::TKind::Replace, index, Rows_[index], rows[index]});
  }
}

void TEditHistory::RecordRowInserted(int row, const QString& text) {
  const auto index = static_cast<size_t>(row - 1);
  const std::vector<TVariableRow>& rows = Project_.Variables;
  if (row < 1 || rows.size() != Rows_.size() + 1 || index >= rows.size()) {
    RecordVariables(text);
  } else {
    PushRowChange(text, {TRowChange::TKind::Insert, index, {}, rows[index]});
  }
}

void TEditHistory::RecordRowDeleted(int row, const QString& text) {
  const auto index = static_cast<size_t>(row - 1);
  if (row >= 1 && Project_.Variables.size() == Rows_.size()) {
    RecordRowChange(row, text);  // the only row, emptied
  } else if (row < 1 || Project_.Variables.size() + 1 != Rows_.size() || index >= Rows_.size()) {
    RecordVariables(text);
  } else {
    PushRowChange(text, {TRowChange::TKind::Erase, index, Rows_[index], {}});
  }
}

void TEditHistory::PushRowChange(const QString& text, TRowChange change) {
  Pushing_ = true;
  Stack_->push(new TRowStep(text, std::move(change),
                            [this](const TRowChange& step, bool forward, bool pushed) {
                              ApplyRows(step, forward, pushed);
                            }));
  Pushing_ = false;
  UpdateActions();
  emit changed();
}

void TEditHistory::ApplyRows(const TRowChange& change, bool forward, bool pushed) {
  ApplyRowChange(Rows_, change, forward);
  if (pushed) return;  // the project holds the change already
  ApplyRowChange(Project_.Variables, change, forward);
  View_.RefreshVariables();
  const bool inPlace = change.Kind == TRowChange::TKind::Replace;
  emit rowsChanged(inPlace ? static_cast<int>(change.Index) : -1);
}

void TEditHistory::TakeRows() {
  Rows_ = Project_.Variables;
  emit rowsChanged(-1);
}

void TEditHistory::Undo() { Stack_->undo(); }

void TEditHistory::Redo() { Stack_->redo(); }

void TEditHistory::SetClean() { Stack_->setClean(); }

bool TEditHistory::IsClean() const { return Stack_->isClean(); }

void TEditHistory::Clear() {
  Pushing_ = true;
  Stack_->clear();
  Pushing_ = false;
  Index_ = 0;
  TakeRows();
  UpdateActions();
  emit changed();
}

// A push reports for itself. Undo and redo move by steps: a row step keeps the
// rows itself, a step of the whole rows or project has them taken again.
void TEditHistory::StepsMoved(int index) {
  const int from = std::min(Index_, index);
  const int to = std::max(Index_, index);
  Index_ = index;
  if (Pushing_) return;
  for (int i = from; i < to; ++i) {
    const auto* step = dynamic_cast<const TProjectStep*>(Stack_->command(i));
    if (step != nullptr && step->Part() != TProjectPart::Settings) {
      TakeRows();
      break;
    }
  }
  UpdateActions();
  emit changed();
}

void TEditHistory::UpdateActions() {
  if (Undo_ == nullptr || Redo_ == nullptr) return;
  Undo_->setEnabled(Stack_->canUndo());
  Undo_->setText(ActionText(tr("Отменить"), Stack_->undoText()));
  Redo_->setEnabled(Stack_->canRedo());
  Redo_->setText(ActionText(tr("Повторить"), Stack_->redoText()));
}
