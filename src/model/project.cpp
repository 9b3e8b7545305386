// The project with its start-up state, and the check list that holds its three lists.
#include <cstddef>

#include "inifile/inifile.h"
#include "model/defaults.h"
#include "model/model.h"

namespace {

// Russian texts are UTF-8 in the source; the model holds them in Windows-1251.
const std::string& DemoProgramName() {
  static const std::string text = Utf8ToCp1251("Демо-программа 1.0");
  return text;
}

const std::string& DefaultVariableValue() {
  static const std::string text = Utf8ToCp1251("Введите значение");
  return text;
}

TFontDesc TimesNewRomanBold(int32_t size, TColor color) {
  return TFontDesc{"Times New Roman", size, color, true, false, false, false};
}

}  // namespace

const std::string& DefaultDialogTitle() {
  static const std::string text = Utf8ToCp1251("Добро пожаловать");
  return text;
}

const std::string& DefaultLanguage() {
  static const std::string text = Utf8ToCp1251("Русский");
  return text;
}

void ApplyDefaultAppearance(TProject& project) {
  project.ProgramNameText = DemoProgramName();
  project.MainTitleCaption = project.ProgramNameText;
  project.TitleFont = TimesNewRomanBold(26, 0x00FFFF00u);
  project.TitleShadowColor = clBtnShadow;
  project.DialogFont = TimesNewRomanBold(22, 0x00800000u);
  project.DialogShadowColor = clBtnShadow;
  project.TitleShadow = true;
  project.DialogShadow = true;
  project.BackgroundEnabled = true;
  project.TopColor = 0x00FF0000u;
  project.BottomColor = 0x00000000u;
}

void ApplyDefaultVariables(TProject& project) {
  project.Variables = {TVariableRow{"InstallPath", DefaultVariableValue()}};
}

TProject::TProject() {
  ApplyDefaultAppearance(*this);
  ApplyDefaultVariables(*this);
  DialogTitleCaption = DefaultDialogTitle();
}

void TCheckList::Clear() {
  Entries_.clear();
  Selected_ = -1;
}

void TCheckList::Append(const std::string& name) { Entries_.push_back(Entry{name, false}); }

int32_t TCheckList::Find(const std::string& text) const {
  for (size_t i = 0; i < Entries_.size(); ++i) {
    if (SameText(Entries_[i].Name, text)) return static_cast<int32_t>(i);
  }
  return -1;
}

void TCheckList::SetTick(int32_t index, bool flag) {
  if (index >= 0 && index < Count()) Entries_[static_cast<size_t>(index)].Ticked = flag;
}

bool TCheckList::IsTicked(int32_t index) const {
  return index >= 0 && index < Count() && Entries_[static_cast<size_t>(index)].Ticked;
}

void TCheckList::Select(int32_t index) {
  if (index >= -1 && index < Count()) Selected_ = index;
}

int32_t TCheckList::Selected() const { return Selected_; }

int32_t TCheckList::Count() const { return static_cast<int32_t>(Entries_.size()); }

std::string TCheckList::Name(int32_t index) const {
  return index >= 0 && index < Count() ? Entries_[static_cast<size_t>(index)].Name : std::string();
}
