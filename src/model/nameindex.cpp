#include "model/nameindex.h"

#include <cstdint>

#include "inifile/inifile.h"

size_t TNameIndex::TFoldedHash::operator()(std::string_view name) const {
  // FNV-1a over the folded bytes: names that differ only in letter case hash alike.
  uint64_t hash = 14695981039346656037ULL;
  for (const char c : name) {
    hash ^= FoldCase(static_cast<unsigned char>(c));
    hash *= 1099511628211ULL;
  }
  return static_cast<size_t>(hash);
}

bool TNameIndex::TFoldedEqual::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

bool TNameIndex::Insert(std::string_view name) { return Names_.insert(name).second; }

bool TNameIndex::Contains(std::string_view name) const { return Names_.count(name) != 0; }

void TNameIndex::Reserve(size_t count) { Names_.reserve(count); }
