// A set of variable names compared as the engine compares keys: ignoring the
// letter case of ASCII and Windows-1251 letters (see FoldCase), every other
// byte as it is. Lets a long list of names be checked for repeats in linear
// time and little memory: it holds only positions in the caller's list (and
// a hash of each name), eleven to twenty-two bytes a name, and asks the list for a
// name when it must compare one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

class TNameIndex {
 public:
  // The name at a position of the caller's list. The names inserted must stay
  // unchanged at their positions for as long as the set is used.
  using TNameAt = std::function<std::string_view(size_t position)>;

  explicit TNameIndex(TNameAt nameAt) : NameAt_(std::move(nameAt)) {}

  // Adds the name at the position; false, changing nothing, when an equal name is in already.
  bool Insert(size_t position);
  // True when an equal name is in.
  bool Contains(std::string_view name) const;
  // The position of the equal name that is in; npos when there is none.
  static constexpr size_t npos = static_cast<size_t>(-1);
  size_t PositionOf(std::string_view name) const;
  // Makes room for count names, so that filling the set does not grow it.
  void Reserve(size_t count);

 private:
  struct TSlot {
    uint32_t Hash = 0;
    uint32_t Position = 0;  // the position plus one; 0 for an empty slot
  };
  // The slot that holds a name equal to `name` (of this hash), else the empty slot where it goes.
  size_t Find(std::string_view name, uint32_t hash) const;
  void Grow(size_t slots);

  TNameAt NameAt_;
  std::vector<TSlot> Slots_;  // a power of two of them, at most three quarters in use
  size_t Used_ = 0;
};
