#include "model/namelist.h"

#include <algorithm>

#include "model/lengthcode_p.h"

TNameList::TIterator::TIterator(std::string_view data, size_t next) : Data_(data), Next_(next) {
  Read();
}

void TNameList::TIterator::Read() {
  if (Next_ >= Data_.size()) {
    Next_ = std::string_view::npos;
    return;
  }
  const size_t size = TakeLength(Data_, Next_);
  Name_ = Data_.substr(Next_, size);
  Next_ += size;
}

TNameList::TIterator& TNameList::TIterator::operator++() {
  if (Next_ == Data_.size()) {
    Next_ = std::string_view::npos;  // past the last name: equal to end()
  } else {
    Read();
  }
  return *this;
}

TNameList::TNameList(const std::vector<std::string>& names) {
  size_t bytes = 0;
  for (const std::string& name : names) bytes += name.size();
  reserve(names.size(), bytes);
  for (const std::string& name : names) push_back(name);
}

TNameList::TNameList(std::initializer_list<std::string_view> names) {
  for (const std::string_view name : names) push_back(name);
}

void TNameList::push_back(std::string_view name) {
  PutLength(Data_, name.size());
  Data_.append(name);
  ++Count_;
}

void TNameList::reserve(size_t count, size_t bytes) { Data_.reserve(Data_.size() + count + bytes); }

void TNameList::clear() {
  Data_.clear();
  Count_ = 0;
}

bool operator==(const TNameList& names, const std::vector<std::string>& list) {
  return names.size() == list.size() && std::equal(list.begin(), list.end(), names.begin());
}
