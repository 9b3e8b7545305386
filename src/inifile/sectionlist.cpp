#include <algorithm>
#include <memory>

#include "inifile/inifile.h"

TSectionList::~TSectionList() {
  for (Item& item : Items_) delete item.Object;
}

int32_t TSectionList::AddSection(const std::string& name) {
  auto lines = std::make_unique<TStringList>();
  const int32_t index = AddObject(name, lines.get());
  lines.release();
  return index;
}

void TSectionList::Delete(int32_t index) {
  CheckIndex(index);
  delete Items_[static_cast<size_t>(index)].Object;
  Items_.erase(Items_.begin() + index);
}

void TSectionList::Clear() {
  for (Item& item : Items_) delete item.Object;
  Items_.clear();
}

void TSectionList::Assign(const TStringList& source) {
  if (&source == this) return;
  Clear();
  for (int32_t i = 0; i < source.Count(); ++i) {
    const int32_t index = AddSection(source[i]);
    if (const TStringList* lines = source.Objects(i)) Lines(index).Assign(*lines);
  }
}

int32_t TSectionList::IndexOf(const std::string& name) const {
  const int32_t count = Count();
  if (count == 0) return -1;
  const int32_t start = LastHit_ >= 0 && LastHit_ < count ? LastHit_ : 0;
  int32_t i = start;
  do {
    if (SameText(Items_[static_cast<size_t>(i)].Text, name)) {
      LastHit_ = i;
      return i;
    }
    if (++i == count) i = 0;
  } while (i != start);
  return -1;
}

TStringList& TSectionList::Lines(int32_t index) {
  CheckIndex(index);
  Item& item = Items_[static_cast<size_t>(index)];
  if (item.Object == nullptr) item.Object = new TStringList;  // an entry added without lines
  return *item.Object;
}

const TStringList& TSectionList::Lines(int32_t index) const {
  static const TStringList none;
  CheckIndex(index);
  const Item& item = Items_[static_cast<size_t>(index)];
  return item.Object != nullptr ? *item.Object : none;
}

bool TSectionList::ResolveDuplicates(const TDuplicateSectionEvent& callback) {
  const int32_t count = Count();
  if (count < 2) return false;
  struct Entry {
    const std::string* Name;
    int32_t Position;
  };
  std::vector<Entry> sorted;
  sorted.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) sorted.push_back({&Items_[static_cast<size_t>(i)].Text, i});
  std::stable_sort(sorted.begin(), sorted.end(), [](const Entry& a, const Entry& b) {
    return CompareText(*a.Name, *b.Name) < 0;
  });

  std::vector<bool> dropped(static_cast<size_t>(count), false);
  bool result = false;
  size_t kept = 0;
  for (size_t i = 1; i < sorted.size(); ++i) {
    if (!SameText(*sorted[kept].Name, *sorted[i].Name)) {
      kept = i;
      continue;
    }
    size_t a = kept, b = i;
    if (sorted[a].Position > sorted[b].Position) std::swap(a, b);
    if (callback &&
        !callback(*sorted[i].Name, Lines(sorted[a].Position), Lines(sorted[b].Position)))
      std::swap(a, b);
    dropped[static_cast<size_t>(sorted[b].Position)] = true;
    kept = a;
    result = true;
  }
  if (!result) return false;

  std::vector<Item> survivors;
  survivors.reserve(Items_.size());
  for (size_t i = 0; i < Items_.size(); ++i) {
    if (dropped[i])
      delete Items_[i].Object;
    else
      survivors.push_back(std::move(Items_[i]));
  }
  Items_ = std::move(survivors);
  return true;
}
