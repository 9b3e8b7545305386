// A set of variable names compared as the engine compares keys: ignoring the
// letter case of ASCII and Windows-1251 letters (see FoldCase), every other
// byte as it is. Lets a long list of names be checked for repeats in linear time.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>

class TNameIndex {
 public:
  // Adds the name; false, changing nothing, when an equal name is in already.
  bool Insert(const std::string& name);
  // True when an equal name is in.
  bool Contains(const std::string& name) const;
  // Makes room for count names, so that filling the set does not rehash.
  void Reserve(size_t count);

 private:
  struct TFoldedHash {
    size_t operator()(const std::string& name) const;
  };
  struct TFoldedEqual {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  std::unordered_set<std::string, TFoldedHash, TFoldedEqual> Names_;
};
