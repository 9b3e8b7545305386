// A list of names held one after the other in one text, each after its
// length: millions of short names cost little more than their bytes, where a
// list of strings would cost some thirty bytes more for each.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

class TNameList {
 public:
  // Reads the names in order; a name lives as long as the list is unchanged.
  class TIterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::string_view*;
    using reference = std::string_view;

    TIterator() = default;
    std::string_view operator*() const { return Name_; }
    TIterator& operator++();
    bool operator==(const TIterator& other) const { return Next_ == other.Next_; }

   private:
    friend class TNameList;
    TIterator(std::string_view data, size_t next);
    void Read();

    std::string_view Data_, Name_;
    size_t Next_ = std::string_view::npos;  // where the next name's length starts; npos at the end
  };
  using iterator = TIterator;
  using const_iterator = TIterator;
  using value_type = std::string_view;

  TNameList() = default;
  // The names of the list, in order.
  TNameList(const std::vector<std::string>& names);  // NOLINT(google-explicit-constructor)
  TNameList(std::initializer_list<std::string_view> names);

  void push_back(std::string_view name);
  // Makes room for names of `bytes` bytes in all, `count` of them.
  void reserve(size_t count, size_t bytes);
  void clear();
  size_t size() const { return Count_; }
  bool empty() const { return Count_ == 0; }
  TIterator begin() const { return {Data_, 0}; }
  TIterator end() const { return {}; }

  bool operator==(const TNameList&) const = default;
  friend bool operator==(const TNameList& names, const std::vector<std::string>& list);

 private:
  std::string Data_;
  size_t Count_ = 0;
};
