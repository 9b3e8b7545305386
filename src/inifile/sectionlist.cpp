#include <algorithm>
#include <memory>

#include "inifile/inifile.h"

TSectionList::~TSectionList() {
  for (TStringList* lines : Objects_) delete lines;
}

int32_t TSectionList::AddSection(const std::string& name) {
  auto lines = std::make_unique<TStringList>();
  const int32_t index = AddObject(name, lines.get());
  static_cast<void>(lines.release());  // added: the list owns and deletes it from here on
  return index;
}

void TSectionList::Delete(int32_t index) {
  CheckIndex(index);
  delete Objects(index);
  TStringList::Delete(index);
}

int32_t TSectionList::DeleteIf(const std::function<bool(const std::string&)>& doomed) {
  return RemoveItems([&doomed](const std::string& name, TStringList* lines) {
    if (!doomed(name)) return false;
    delete lines;
    return true;
  });
}

void TSectionList::Clear() {
  for (TStringList* lines : Objects_) delete lines;
  TStringList::Clear();
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
  const int32_t found = FindFrom(name, LastHit_ >= 0 && LastHit_ < Count() ? LastHit_ : 0);
  if (found >= 0) LastHit_ = found;
  return found;
}

int32_t TSectionList::FindFrom(const std::string& name, int32_t start) const {
  return TextIndex_.Find(Items_, name, start >= 0 && start < Count() ? start : 0);
}

TStringList& TSectionList::Lines(int32_t index) {
  CheckIndex(index);
  TStringList* lines = Objects(index);
  if (lines == nullptr) {  // an entry added without lines
    auto added = std::make_unique<TStringList>();
    PutObject(index, added.get());
    lines = added.release();  // put: the list owns and deletes it from here on
  }
  return *lines;
}

const TStringList& TSectionList::Lines(int32_t index) const {
  static const TStringList none;
  const TStringList* lines = Objects(index);
  return lines != nullptr ? *lines : none;
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
  for (int32_t i = 0; i < count; ++i) sorted.push_back({&Items_[static_cast<size_t>(i)], i});
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

  size_t position = 0;
  RemoveItems([&dropped, &position](const std::string& /*name*/, TStringList* lines) {
    if (!dropped[position++]) return false;
    delete lines;
    return true;
  });
  ItemsReset();
  return true;
}
