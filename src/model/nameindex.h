// A set of variable names compared as the engine compares keys: ignoring the
// letter case of ASCII and Windows-1251 letters (see FoldCase), every other
// byte as it is. Lets a long list of names be checked for repeats in linear time.
// It refers to the names inserted without copying them: they must stay in place,
// unchanged, for as long as the set is used.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>

class TNameIndex {
 public:
  // Adds the name; false, changing nothing, when an equal name is in already.
  bool Insert(std::string_view name);
  // True when an equal name is in.
  bool Contains(std::string_view name) const;
  // Makes room for count names, so that filling the set does not rehash.
  void Reserve(size_t count);

 private:
  struct TFoldedHash {
    size_t operator()(std::string_view name) const;
  };
  struct TFoldedEqual {
    bool operator()(std::string_view a, std::string_view b) const;
  };
  std::unordered_set<std::string_view, TFoldedHash, TFoldedEqual> Names_;
};
