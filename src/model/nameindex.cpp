#include "model/nameindex.h"

#include <cstdint>

#include "inifile/inifile.h"

size_t TNameIndex::TFoldedHash::operator()(const std::string& name) const {
  // FNV-1a over the folded bytes: names that differ only in letter case hash alike.
  uint64_t hash = 14695981039346656037ULL;
  for (const char c : name) {
    hash ^= FoldCase(static_cast<unsigned char>(c));
    hash *= 1099511628211ULL;
  }
  return static_cast<size_t>(hash);
}

bool TNameIndex::TFoldedEqual::operator()(const std::string& a, const std::string& b) const {
  return SameText(a, b);
}

bool TNameIndex::Insert(const std::string& name) { return Names_.insert(name).second; }

bool TNameIndex::Contains(const std::string& name) const { return Names_.count(name) != 0; }

void TNameIndex::Reserve(size_t count) { Names_.reserve(count); }
