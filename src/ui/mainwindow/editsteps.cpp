#include "ui/mainwindow/editsteps.h"

#include <QCoreApplication>
#include <stdexcept>
#include <utility>

#include "ui/widgets/checklistbox.h"

namespace {

QString EntryStepText(const QString& what, const TCheckListBox& list, int index) {
  const std::string name = list.List()->Name(index);
  return what.arg(QString::fromStdString(Cp1251ToUtf8(name)));
}

// The entry shown, after its list changed.
void Show(TCheckListBox& list, int index) {
  list.EnsureVisible(index);
  list.viewport()->update();
}

}  // namespace

TTickStep::TTickStep(TCheckListBox& list, int index, bool ticked, int position)
    : QUndoCommand(
          EntryStepText(QCoreApplication::translate("TEditHistory", "галочка «%1»"), list, index)),
      List_(list),
      Index_(index),
      Ticked_(ticked),
      Position_(position) {}

void TTickStep::undo() { Apply(!Ticked_); }

void TTickStep::redo() {
  if (!Pushed_) {
    Pushed_ = true;
    return;
  }
  Apply(Ticked_);
}

void TTickStep::Apply(bool ticked) {
  if (ticked && Position_ >= 0)
    List_.List()->Place(Index_, Position_);
  else
    List_.List()->SetTick(Index_, ticked);
  Show(List_, Index_);
}

TOrderStep::TOrderStep(TCheckListBox& list, int index, int from, int to)
    : QUndoCommand(
          EntryStepText(QCoreApplication::translate("TEditHistory", "порядок «%1»"), list, index)),
      List_(list),
      Index_(index),
      From_(from),
      To_(to) {}

void TOrderStep::undo() { Apply(From_); }

void TOrderStep::redo() {
  if (!Pushed_) {
    Pushed_ = true;
    return;
  }
  Apply(To_);
}

void TOrderStep::Apply(int position) {
  List_.List()->Place(Index_, position);
  Show(List_, Index_);
}

TProjectStep::TProjectStep(const QString& text, TProject& project, TProjectView& view,
                           TEditState before, TEditState after)
    : QUndoCommand(text),
      Project_(project),
      View_(view),
      Before_(std::move(before)),
      After_(std::move(after)) {}

void TProjectStep::undo() { Apply(Before_); }

void TProjectStep::redo() {
  if (!Pushed_) {
    Pushed_ = true;
    return;
  }
  Apply(After_);
}

void TProjectStep::Apply(const TEditState& state) {
  state.Project.Restore(Project_);
  switch (state.Project.Part()) {
    case TProjectPart::Settings: View_.RefreshMockup(); break;
    case TProjectPart::Variables: View_.RefreshVariables(); break;
    case TProjectPart::Everything: View_.ShowProject(); break;
  }
  View_.SetMockup(state.Mockup);
}

void ApplyRowChange(std::vector<TVariableRow>& rows, const TRowChange& change, bool forward) {
  using TKind = TRowChange::TKind;
  const bool insert = change.Kind == (forward ? TKind::Insert : TKind::Erase);
  if (change.Index >= rows.size() + (insert ? 1 : 0))
    throw std::logic_error("A step of the variables rows lies outside them");
  const auto at = rows.begin() + static_cast<std::ptrdiff_t>(change.Index);
  if (change.Kind == TKind::Replace)
    rows.at(change.Index) = forward ? change.After : change.Before;
  else if (insert)
    rows.insert(at, forward ? change.After : change.Before);
  else
    rows.erase(at);
}

TRowStep::TRowStep(const QString& text, TRowChange change, TApply apply)
    : QUndoCommand(text), Change_(std::move(change)), Apply_(std::move(apply)) {}

void TRowStep::undo() { Apply_(Change_, false, false); }

void TRowStep::redo() {
  Apply_(Change_, true, !Pushed_);
  Pushed_ = true;
}
