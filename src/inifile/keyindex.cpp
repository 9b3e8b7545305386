// The hash index behind TStringList's searches by text and by name.
#include "inifile/inifile.h"

namespace {

// Lists this short are searched one by one.
constexpr int32_t MinIndexed = 8;

uint32_t FoldedHash(std::string_view key) {
  uint32_t hash = 2166136261u;
  for (const char c : key) hash = (hash ^ FoldCase(static_cast<unsigned char>(c))) * 16777619u;
  hash ^= hash >> 16;
  hash *= 0x85EBCA6Bu;
  hash ^= hash >> 13;
  return hash;
}

}  // namespace

void TStringList::TKeyIndex::Reset() {
  std::vector<Slot>().swap(Slots_);
  Duplicates_ = false;
  Valid_ = Covered_ = Used_ = 0;
  Work_ = 0;
}

std::string_view TStringList::TKeyIndex::KeyOf(const std::string& text, bool& indexed) const {
  indexed = true;
  if (!ByName_) return text;
  const size_t eq = text.find('=');
  indexed = eq != std::string::npos;
  return indexed ? std::string_view(text.data(), eq) : std::string_view();
}

bool TStringList::TKeyIndex::Matches(const std::string& text, const std::string& key) const {
  if (!ByName_) return SameFolded(text, key);
  // The key holds no "=", so a match has its first "=" right after the key.
  return text.size() > key.size() && text[key.size()] == '=' &&
         SameFolded(std::string_view(text.data(), key.size()), key);
}

int32_t TStringList::TKeyIndex::Linear(const TItems& items, const std::string& key,
                                       int32_t start) const {
  const auto count = static_cast<int32_t>(items.size());
  for (int32_t n = 0, i = start; n < count; ++n, i = i + 1 == count ? 0 : i + 1) {
    if (Matches(items[static_cast<size_t>(i)], key)) return i;
  }
  return -1;
}

int32_t TStringList::TKeyIndex::Lookup(const TItems& items, std::string_view key,
                                       uint32_t hash) const {
  if (Slots_.empty()) return -1;
  const size_t mask = Slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = Slots_[i];
    if (slot.Position < 0) return -1;
    if (slot.Hash != hash || slot.Position >= Valid_) continue;
    bool indexed = false;
    const std::string_view other = KeyOf(items[static_cast<size_t>(slot.Position)], indexed);
    if (SameFolded(other, key)) return slot.Position;
  }
}

void TStringList::TKeyIndex::Grow() {
  std::vector<Slot> old(Slots_.size() * 2, Slot{0, -1});
  old.swap(Slots_);
  const size_t mask = Slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.Position < 0) continue;
    size_t i = slot.Hash & mask;
    while (Slots_[i].Position >= 0) i = (i + 1) & mask;
    Slots_[i] = slot;
  }
}

// Adds the entry at position unless an earlier one has the same key.
void TStringList::TKeyIndex::Insert(const TItems& items, int32_t position) {
  bool indexed = false;
  const std::string_view key = KeyOf(items[static_cast<size_t>(position)], indexed);
  if (!indexed) return;
  const uint32_t hash = FoldedHash(key);
  if (Lookup(items, key, hash) >= 0) {
    Duplicates_ = true;
    return;
  }
  if (static_cast<size_t>(Used_ + 1) * 2 > Slots_.size()) Grow();
  const size_t mask = Slots_.size() - 1;
  size_t i = hash & mask;
  while (Slots_[i].Position >= 0) i = (i + 1) & mask;
  Slots_[i] = Slot{hash, position};
  ++Used_;
}

void TStringList::TKeyIndex::Rebuild(const TItems& items) {
  const auto count = static_cast<int32_t>(items.size());
  size_t size = 16;
  while (size < items.size() * 2 + 2) size *= 2;
  Slots_.assign(size, Slot{0, -1});
  Duplicates_ = false;
  Used_ = 0;
  Work_ = 0;
  for (int32_t i = 0; i < count; ++i) {
    Valid_ = i;  // Lookup sees exactly the entries inserted so far
    Insert(items, i);
  }
  Valid_ = Covered_ = count;
}

void TStringList::TKeyIndex::Extend(const TItems& items) {
  const auto last = static_cast<int32_t>(items.size()) - 1;
  if (Valid_ != last || Covered_ != last) return;
  Insert(items, last);
  Valid_ = Covered_ = last + 1;
}

void TStringList::TKeyIndex::ChangedFrom(int32_t index) {
  if (index < Valid_) Valid_ = index;
}

void TStringList::TKeyIndex::Replaced(int32_t index, const std::string& before,
                                      const std::string& after) {
  bool hadKey = false, hasKey = false;
  const std::string_view old = KeyOf(before, hadKey), now = KeyOf(after, hasKey);
  if (hadKey != hasKey || !SameFolded(old, now)) ChangedFrom(index);
}

int32_t TStringList::TKeyIndex::Find(const TItems& items, const std::string& key, int32_t start) {
  const auto count = static_cast<int32_t>(items.size());
  if (ByName_ && key.find('=') != std::string::npos) return -1;
  if (count < MinIndexed) return Linear(items, key, start);
  if (Duplicates_ && start > 0 && Valid_ == count) return Linear(items, key, start);
  if (Duplicates_ && start > 0) {
    Work_ += count;
    const int32_t found = Linear(items, key, start);
    if (Work_ >= count) Rebuild(items);
    return found;
  }

  // Among the indexed entries a key is found where it first occurs; later
  // entries are compared one by one.
  const int32_t indexed = Lookup(items, key, FoldedHash(key));
  if (indexed >= start) return indexed;
  int32_t firstLater = -1;
  int32_t i = Valid_;
  for (; i < count; ++i) {
    if (!Matches(items[static_cast<size_t>(i)], key)) continue;
    if (firstLater < 0) firstLater = i;
    if (i >= start) break;
  }
  Work_ += i - Valid_;
  if (Work_ >= count) Rebuild(items);
  if (i < count) return i;
  return indexed >= 0 ? indexed : firstLater;
}
