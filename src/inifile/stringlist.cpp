#include "inifile/inifile.h"

#include <algorithm>
#include <utility>

void TStringList::CheckIndex(int32_t index, bool allowEnd) const {
  const int32_t limit = allowEnd ? Count() : Count() - 1;
  if (index < 0 || index > limit)
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

int32_t TStringList::Add(std::string text) { return AddObject(std::move(text), nullptr); }

int32_t TStringList::AddObject(std::string text, TStringList* object) {
  Items_.push_back(Item{std::move(text), object});
  return Count() - 1;
}

void TStringList::Insert(int32_t index, std::string text, TStringList* object) {
  CheckIndex(index, true);
  Items_.insert(Items_.begin() + index, Item{std::move(text), object});
}

const std::string& TStringList::operator[](int32_t index) const {
  CheckIndex(index);
  return Items_[static_cast<size_t>(index)].Text;
}

void TStringList::Put(int32_t index, const std::string& text) {
  CheckIndex(index);
  Items_[static_cast<size_t>(index)].Text = text;
}

TStringList* TStringList::Objects(int32_t index) const {
  CheckIndex(index);
  return Items_[static_cast<size_t>(index)].Object;
}

void TStringList::PutObject(int32_t index, TStringList* object) {
  CheckIndex(index);
  Items_[static_cast<size_t>(index)].Object = object;
}

void TStringList::Delete(int32_t index) {
  CheckIndex(index);
  Items_.erase(Items_.begin() + index);
}

void TStringList::Clear() { Items_.clear(); }

int32_t TStringList::IndexOf(const std::string& text) const {
  for (size_t i = 0; i < Items_.size(); ++i)
    if (SameText(Items_[i].Text, text)) return static_cast<int32_t>(i);
  return -1;
}

int32_t TStringList::IndexOfName(const std::string& name) const {
  // An entry's name holds no "=", so a name with one never matches; for any
  // other name the entry must hold "=" right after it.
  if (name.find('=') != std::string::npos) return -1;
  const size_t n = name.size();
  for (size_t i = 0; i < Items_.size(); ++i) {
    const std::string& text = Items_[i].Text;
    if (text.size() <= n || text[n] != '=') continue;
    size_t j = n;
    while (j > 0 && FoldCase(static_cast<unsigned char>(text[j - 1])) ==
                        FoldCase(static_cast<unsigned char>(name[j - 1])))
      --j;
    if (j == 0) return static_cast<int32_t>(i);
  }
  return -1;
}

void TStringList::Sort() {
  std::stable_sort(Items_.begin(), Items_.end(),
                   [](const Item& a, const Item& b) { return CompareText(a.Text, b.Text) < 0; });
}

void TStringList::Assign(const TStringList& source) {
  if (&source == this) return;
  Clear();
  Items_ = source.Items_;
}
