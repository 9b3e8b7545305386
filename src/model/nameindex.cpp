#include "model/nameindex.h"

#include <stdexcept>

#include "inifile/inifile.h"

namespace {

// FNV-1a over the folded bytes: names that differ only in letter case hash alike.
uint32_t FoldedHash(std::string_view name) {
  uint32_t hash = 2166136261u;
  for (const char c : name) {
    hash ^= FoldCase(static_cast<unsigned char>(c));
    hash *= 16777619u;
  }
  return hash;
}

// The smallest power of two that holds count names at most three quarters full:
// millions of names take the memory of a few of their lines, and a search still
// looks at a few slots, which lie side by side.
size_t SlotsFor(size_t count) {
  size_t slots = 16;
  while (slots / 4 * 3 < count) slots *= 2;
  return slots;
}

}  // namespace

size_t TNameIndex::Find(std::string_view name, uint32_t hash) const {
  const size_t mask = Slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const TSlot& slot = Slots_[i];
    if (slot.Position == 0) return i;
    if (slot.Hash == hash && SameFolded(NameAt_(slot.Position - 1), name)) return i;
  }
}

void TNameIndex::Grow(size_t slots) {
  std::vector<TSlot> old(slots);
  old.swap(Slots_);
  const size_t mask = Slots_.size() - 1;
  for (const TSlot& slot : old) {
    if (slot.Position == 0) continue;
    size_t i = slot.Hash & mask;
    while (Slots_[i].Position != 0) i = (i + 1) & mask;
    Slots_[i] = slot;
  }
}

bool TNameIndex::Insert(size_t position) {
  if (position >= UINT32_MAX) throw std::length_error("too many names for the name index");
  if (Used_ + 1 > Slots_.size() / 4 * 3) Grow(SlotsFor(Used_ + 1));
  const std::string_view name = NameAt_(position);
  const uint32_t hash = FoldedHash(name);
  TSlot& slot = Slots_[Find(name, hash)];
  if (slot.Position != 0) return false;
  slot = TSlot{hash, static_cast<uint32_t>(position + 1)};
  ++Used_;
  return true;
}

bool TNameIndex::Contains(std::string_view name) const {
  if (Slots_.empty()) return false;
  return Slots_[Find(name, FoldedHash(name))].Position != 0;
}

size_t TNameIndex::PositionOf(std::string_view name) const {
  if (Slots_.empty()) return npos;
  const uint32_t position = Slots_[Find(name, FoldedHash(name))].Position;
  return position == 0 ? npos : position - 1;
}

void TNameIndex::Reserve(size_t count) {
  if (SlotsFor(count) > Slots_.size()) Grow(SlotsFor(count));
}
