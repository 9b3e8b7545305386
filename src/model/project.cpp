// The project with its start-up state, and the check list that holds its three lists.
#include <cstddef>
#include <stdexcept>

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
  Names_.clear();
  Ends_.clear();
  Ticked_.clear();
  Selected_ = -1;
  Known_ = 0;
}

void TCheckList::Append(const std::string& name) {
  if (Known_ != Count()) {
    throw std::logic_error("A catalogue entry cannot follow an entry for an unknown code");
  }
  AppendUnknown(name);
  Known_ = Count();
}

void TCheckList::AppendUnknown(const std::string& code) {
  Names_.append(code);
  Ends_.push_back(Names_.size());
  Ticked_.push_back(false);
}

bool TCheckList::IsUnknown(int32_t index) const { return index >= Known_ && index < Count(); }

int32_t TCheckList::KnownCount() const { return Known_; }

void TCheckList::Reserve(int32_t count, size_t nameBytes) {
  const size_t more = count > 0 ? static_cast<size_t>(count) : 0;
  Names_.reserve(Names_.size() + nameBytes);
  Ends_.reserve(Ends_.size() + more);
  Ticked_.reserve(Ticked_.size() + more);
}

int32_t TCheckList::Find(const std::string& text) const {
  size_t start = 0;
  for (size_t i = 0; i < Ends_.size(); ++i) {
    if (SameFolded(std::string_view(Names_).substr(start, Ends_[i] - start), text))
      return static_cast<int32_t>(i);
    start = Ends_[i];
  }
  return -1;
}

void TCheckList::SetTick(int32_t index, bool flag) {
  if (index >= 0 && index < Count()) Ticked_[static_cast<size_t>(index)] = flag;
}

bool TCheckList::IsTicked(int32_t index) const {
  return index >= 0 && index < Count() && Ticked_[static_cast<size_t>(index)];
}

void TCheckList::Select(int32_t index) {
  if (index >= -1 && index < Count()) Selected_ = index;
}

int32_t TCheckList::Selected() const { return Selected_; }

int32_t TCheckList::Count() const { return static_cast<int32_t>(Ends_.size()); }

std::string TCheckList::Name(int32_t index) const {
  if (index < 0 || index >= Count()) return std::string();
  const auto at = static_cast<size_t>(index);
  const size_t start = at == 0 ? 0 : Ends_[at - 1];
  return Names_.substr(start, Ends_[at] - start);
}
