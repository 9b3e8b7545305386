#include "inifile/inifile.h"

#include <algorithm>
#include <utility>
#include <vector>

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
  // The objects are kept, one per entry, from the first entry that has one on.
  const bool keepObjects = object != nullptr || !Objects_.empty();
  if (keepObjects) {
    Objects_.resize(Items_.size(), nullptr);
    Objects_.push_back(object);
  }
  try {
    Items_.push_back(std::move(text));
  } catch (...) {
    if (keepObjects) Objects_.pop_back();  // the caller still owns the object
    throw;
  }
  TextIndex_.Appended(Items_);
  NameIndex_.Appended(Items_);
  return Count() - 1;
}

void TStringList::Insert(int32_t index, std::string text, TStringList* object) {
  CheckIndex(index, true);
  const bool keepObjects = object != nullptr || !Objects_.empty();
  if (keepObjects) {
    Objects_.resize(Items_.size(), nullptr);
    Objects_.insert(Objects_.begin() + index, object);
  }
  try {
    Items_.insert(Items_.begin() + index, std::move(text));
  } catch (...) {
    if (keepObjects) Objects_.erase(Objects_.begin() + index);
    throw;
  }
  ItemsChangedFrom(index);
}

const std::string& TStringList::operator[](int32_t index) const {
  CheckIndex(index);
  return Items_[static_cast<size_t>(index)];
}

void TStringList::Put(int32_t index, std::string text) {
  CheckIndex(index);
  std::string& stored = Items_[static_cast<size_t>(index)];
  TextIndex_.Replaced(index, stored, text);
  NameIndex_.Replaced(index, stored, text);
  stored = std::move(text);
}

void TStringList::PutEntry(int32_t index, std::string_view name, std::string_view value) {
  CheckIndex(index);
  std::string& stored = Items_[static_cast<size_t>(index)];
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
  return Objects_.empty() ? nullptr : Objects_[static_cast<size_t>(index)];
}

void TStringList::PutObject(int32_t index, TStringList* object) {
  CheckIndex(index);
  if (object == nullptr && Objects_.empty()) return;
  if (Objects_.empty()) Objects_.resize(Items_.size(), nullptr);
  Objects_[static_cast<size_t>(index)] = object;
}

void TStringList::Delete(int32_t index) {
  CheckIndex(index);
  Items_.erase(Items_.begin() + index);
  if (!Objects_.empty()) Objects_.erase(Objects_.begin() + index);
  ItemsChangedFrom(index);
}

int32_t TStringList::DeleteIf(const std::function<bool(const std::string&)>& doomed) {
  return RemoveItems(
      [&doomed](const std::string& text, TStringList* /*object*/) { return doomed(text); });
}

int32_t TStringList::RemoveItems(
    const std::function<bool(const std::string&, TStringList*)>& doomed) {
  const bool objects = !Objects_.empty();
  int32_t firstGone = -1;
  size_t kept = 0;
  for (size_t i = 0; i < Items_.size(); ++i) {
    if (doomed(Items_[i], objects ? Objects_[i] : nullptr)) {
      if (firstGone < 0) firstGone = static_cast<int32_t>(i);
      continue;
    }
    if (kept != i) {
      Items_[kept] = std::move(Items_[i]);
      if (objects) Objects_[kept] = Objects_[i];
    }
    ++kept;
  }
  if (firstGone < 0) return 0;
  const auto gone = static_cast<int32_t>(Items_.size() - kept);
  Items_.resize(kept);
  if (objects) Objects_.resize(kept);
  ItemsChangedFrom(firstGone);
  return gone;
}

void TStringList::Clear() {
  Items_.clear();
  Objects_.clear();
  ItemsReset();
}

int32_t TStringList::IndexOf(const std::string& text) const {
  return TextIndex_.Find(Items_, text, 0);
}

int32_t TStringList::IndexOfName(const std::string& name) const {
  return NameIndex_.Find(Items_, name, 0);
}

void TStringList::Sort() {
  if (Objects_.empty()) {
    std::stable_sort(Items_.begin(), Items_.end(), [](const std::string& a, const std::string& b) {
      return CompareText(a, b) < 0;
    });
  } else {
    // Each object goes along with its text.
    std::vector<size_t> order(Items_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [this](size_t a, size_t b) { return CompareText(Items_[a], Items_[b]) < 0; });
    TItems texts;
    std::deque<TStringList*> objects;
    for (const size_t i : order) {
      texts.push_back(std::move(Items_[i]));
      objects.push_back(Objects_[i]);
    }
    Items_ = std::move(texts);
    Objects_ = std::move(objects);
  }
  ItemsReset();
}

void TStringList::Assign(const TStringList& source) {
  if (&source == this) return;
  Clear();
  Items_ = source.Items_;
  Objects_ = source.Objects_;
  ItemsReset();
}
