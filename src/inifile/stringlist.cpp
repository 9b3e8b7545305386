#include "inifile/inifile.h"

#include <algorithm>
#include <utility>

void TStringList::CheckIndex(int32_t index, bool allowEnd) const {
  const int32_t limit = allowEnd ? Count() : Count() - 1;
  if (index < 0 || index > limit)
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

int32_t TStringList::Add(std::string text) { return AddObject(std::move(text), nullptr); }

void TStringList::ItemsChangedFrom(int32_t index) const {
  TextIndex_.ChangedFrom(index);
  NameIndex_.ChangedFrom(index);
}

void TStringList::ItemsReset() const {
  TextIndex_.Reset();
  NameIndex_.Reset();
}

int32_t TStringList::AddObject(std::string text, TStringList* object) {
  Items_.push_back(Item{std::move(text), object});
  TextIndex_.Appended(Items_);
  NameIndex_.Appended(Items_);
  return Count() - 1;
}

void TStringList::Insert(int32_t index, std::string text, TStringList* object) {
  CheckIndex(index, true);
  Items_.insert(Items_.begin() + index, Item{std::move(text), object});
  ItemsChangedFrom(index);
}

const std::string& TStringList::operator[](int32_t index) const {
  CheckIndex(index);
  return Items_[static_cast<size_t>(index)].Text;
}

void TStringList::Put(int32_t index, std::string text) {
  CheckIndex(index);
  std::string& stored = Items_[static_cast<size_t>(index)].Text;
  TextIndex_.Replaced(index, stored, text);
  NameIndex_.Replaced(index, stored, text);
  stored = std::move(text);
}

void TStringList::PutEntry(int32_t index, std::string_view name, std::string_view value) {
  CheckIndex(index);
  std::string& stored = Items_[static_cast<size_t>(index)].Text;
  // The name index compares only the names; the text index learns of a change without the new text.
  const size_t equals = stored.find('=');
  const std::string before =
      equals == std::string::npos ? std::string() : stored.substr(0, equals + 1);
  NameIndex_.Replaced(index, before, std::string(name) + "=");
  TextIndex_.ChangedFrom(index);
  const size_t size = name.size() + 1 + value.size();
  if (stored.capacity() < size) {
    std::string().swap(stored);
    stored.reserve(size);
  }
  stored.assign(name).append(1, '=').append(value);
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
  ItemsChangedFrom(index);
}

int32_t TStringList::DeleteIf(const std::function<bool(const std::string&)>& doomed) {
  return RemoveItems([&doomed](Item& item) { return doomed(item.Text); });
}

int32_t TStringList::RemoveItems(const std::function<bool(Item&)>& doomed) {
  int32_t firstGone = -1;
  auto kept = Items_.begin();
  for (auto item = Items_.begin(); item != Items_.end(); ++item) {
    if (doomed(*item)) {
      if (firstGone < 0) firstGone = static_cast<int32_t>(item - Items_.begin());
      continue;
    }
    if (kept != item) *kept = std::move(*item);
    ++kept;
  }
  if (firstGone < 0) return 0;
  const auto gone = static_cast<int32_t>(Items_.end() - kept);
  Items_.erase(kept, Items_.end());
  ItemsChangedFrom(firstGone);
  return gone;
}

void TStringList::Clear() {
  Items_.clear();
  ItemsReset();
}

int32_t TStringList::IndexOf(const std::string& text) const {
  return TextIndex_.Find(Items_, text, 0);
}

int32_t TStringList::IndexOfName(const std::string& name) const {
  return NameIndex_.Find(Items_, name, 0);
}

void TStringList::Sort() {
  std::stable_sort(Items_.begin(), Items_.end(),
                   [](const Item& a, const Item& b) { return CompareText(a.Text, b.Text) < 0; });
  ItemsReset();
}

void TStringList::Assign(const TStringList& source) {
  if (&source == this) return;
  Clear();
  Items_ = source.Items_;
  ItemsReset();
}
