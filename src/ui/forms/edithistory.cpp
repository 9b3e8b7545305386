#include "ui/forms/edithistory.h"

#include <QAction>
#include <QUndoStack>

#include "ui/forms/projectview.h"
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
      Variables_(Take(TProjectPart::Variables)) {
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
  Stack_->push(new TProjectStep(text, Project_, View_, before, std::move(after)));
  return true;
}

void TEditHistory::RecordTick(TCheckListBox& list, int index) {
  Stack_->push(new TTickStep(list, index, list.List()->IsTicked(index)));
}

void TEditHistory::RecordVariables(const QString& text) {
  // Copied first: the push below takes the rows as they are now.
  const TEditState before = Variables_;
  Record(text, before);
}

void TEditHistory::Undo() { Stack_->undo(); }

void TEditHistory::Redo() { Stack_->redo(); }

void TEditHistory::SetClean() { Stack_->setClean(); }

bool TEditHistory::IsClean() const { return Stack_->isClean(); }

void TEditHistory::Clear() {
  Stack_->clear();
  Variables_ = Take(TProjectPart::Variables);
  UpdateActions();
  emit changed();
}

void TEditHistory::StepsMoved() {
  Variables_ = Take(TProjectPart::Variables);
  UpdateActions();
  emit changed();
}

void TEditHistory::UpdateActions() {
  if (Undo_ == nullptr || Redo_ == nullptr) return;
  Undo_->setEnabled(Stack_->canUndo());
  Undo_->setText(ActionText(QStringLiteral("Отменить"), Stack_->undoText()));
  Redo_->setEnabled(Stack_->canRedo());
  Redo_->setText(ActionText(QStringLiteral("Повторить"), Stack_->redoText()));
}
