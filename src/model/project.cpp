// The project with its start-up state, and the check list that holds its three lists.
#include <algorithm>
#include <cstddef>
#include <cstdint>
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

void TCheckList::Clear() { *this = TCheckList(); }

void TCheckList::Append(const std::string& name, const std::string& code) {
  if (Known_ != Count()) {
    throw std::logic_error("A catalogue entry cannot follow an entry for an unknown code");
  }
  Names_.append(name);
  Ends_.push_back(Names_.size());
  Codes_.append(code);
  CodeEnds_.push_back(Codes_.size());
  Ticked_.push_back(false);
  Known_ = Count();
}

void TCheckList::AppendUnknown(const std::string& code) {
  Names_.append(code);
  Ends_.push_back(Names_.size());
  Codes_.append(code);
  CodeEnds_.push_back(Codes_.size());
  Ticked_.push_back(false);
}

bool TCheckList::IsUnknown(int32_t index) const { return index >= Known_ && index < Count(); }

int32_t TCheckList::KnownCount() const { return Known_; }

void TCheckList::Reserve(int32_t count, size_t nameBytes, size_t codeBytes) {
  const size_t more = count > 0 ? static_cast<size_t>(count) : 0;
  Names_.reserve(Names_.size() + nameBytes);
  Ends_.reserve(Ends_.size() + more);
  Codes_.reserve(Codes_.size() + codeBytes);
  CodeEnds_.reserve(CodeEnds_.size() + more);
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

int32_t TCheckList::FindCode(const std::string& code, int32_t count) const {
  size_t start = 0;
  for (int32_t i = 0; i < std::min(count, Count()); ++i) {
    const size_t end = CodeEnds_[static_cast<size_t>(i)];
    if (SameFolded(std::string_view(Codes_).substr(start, end - start), code)) return i;
    start = end;
  }
  return -1;
}

void TCheckList::SetTick(int32_t index, bool flag) {
  if (index < 0 || index >= Count() || IsTicked(index) == flag) return;
  if (!flag || index == Final_) {
    Ticked_[static_cast<size_t>(index)] = flag;
    std::erase(Order_, index);
    return;
  }
  // After the ticked entry nearest before it in the list.
  int32_t position = 0;
  int32_t nearest = -1;
  for (size_t i = 0; i < Order_.size(); ++i) {
    if (Order_[i] < index && Order_[i] > nearest) {
      nearest = Order_[i];
      position = static_cast<int32_t>(i) + 1;
    }
  }
  Place(index, position);
}

bool TCheckList::IsTicked(int32_t index) const {
  return index >= 0 && index < Count() && Ticked_[static_cast<size_t>(index)];
}

void TCheckList::Place(int32_t index, int32_t position) {
  if (index < 0 || index >= Count()) return;
  Ticked_[static_cast<size_t>(index)] = true;
  if (index == Final_) return;
  std::erase(Order_, index);
  const auto at = static_cast<size_t>(std::clamp<int64_t>(position, 0, std::ssize(Order_)));
  Order_.insert(Order_.begin() + static_cast<std::ptrdiff_t>(at), index);
}

int32_t TCheckList::Position(int32_t index) const {
  const auto found = std::find(Order_.begin(), Order_.end(), index);
  return found == Order_.end() ? -1 : static_cast<int32_t>(found - Order_.begin());
}

void TCheckList::SetFinal(int32_t index) {
  Final_ = index >= 0 && index < Count() ? index : -1;
  std::erase(Order_, Final_);
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

std::string TCheckList::Code(int32_t index) const {
  if (index < 0 || index >= Count()) return std::string();
  const auto at = static_cast<size_t>(index);
  const size_t start = at == 0 ? 0 : CodeEnds_[at - 1];
  return Codes_.substr(start, CodeEnds_[at] - start);
}
