#include "model/projectstate.h"

namespace {

// The items of the Settings part, the one list of them.
void CopySettings(const TProject& from, TProject& to) {
  to.ProgramNameText = from.ProgramNameText;
  to.MainTitleCaption = from.MainTitleCaption;
  to.DialogTitleCaption = from.DialogTitleCaption;
  to.TitleFont = from.TitleFont;
  to.DialogFont = from.DialogFont;
  to.TitleShadow = from.TitleShadow;
  to.DialogShadow = from.DialogShadow;
  to.TitleShadowColor = from.TitleShadowColor;
  to.DialogShadowColor = from.DialogShadowColor;
  to.TopColor = from.TopColor;
  to.BottomColor = from.BottomColor;
  to.BackgroundEnabled = from.BackgroundEnabled;
  to.DialogPosition = from.DialogPosition;
}

void CopyPart(const TProject& from, TProject& to, TProjectPart part) {
  switch (part) {
    case TProjectPart::Settings: CopySettings(from, to); break;
    case TProjectPart::Variables: to.Variables = from.Variables; break;
    case TProjectPart::Everything: to = from; break;
  }
}

}  // namespace

TProjectState::TProjectState(const TProject& project, TProjectPart part) : Part_(part) {
  CopyPart(project, Copy_, part);
}

void TProjectState::Restore(TProject& project) const { CopyPart(Copy_, project, Part_); }

bool TProjectState::operator==(const TProjectState& other) const {
  if (Part_ != other.Part_) return false;
  // Items outside the part are the defaults in both copies.
  return Copy_ == other.Copy_;
}
