// The sections of an INI document: names, each with its own line list.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "inifile/stringlist.h"

// Decides which of two sections of the same name survives loading: true
// keeps the earlier one (in file order), false keeps the later one.
using TDuplicateSectionEvent =
    std::function<bool(const std::string& name, TStringList& earlier, TStringList& later)>;

// Section names, each with its own line list. Unlike TStringList, this list
// owns the associated lists: every object added to it is freed when its
// entry is deleted, the list is cleared or destroyed.
class TSectionList : public TStringList {
 public:
  TSectionList() = default;
  TSectionList(const TSectionList&) = delete;
  TSectionList& operator=(const TSectionList&) = delete;
  ~TSectionList() override;

  // Appends a section with a new empty line list; returns its index.
  int32_t AddSection(const std::string& name);
  void Delete(int32_t index) override;
  int32_t DeleteIf(const std::function<bool(const std::string&)>& doomed) override;
  void Clear() override;
  // Copies names and lines (deep copy).
  void Assign(const TStringList& source) override;
  // Searches from LastHit onwards, wrapping around; a hit becomes LastHit.
  int32_t IndexOf(const std::string& name) const override;
  // The first section named name (ignoring case) at or after start, else
  // the first one before it; -1 when there is none. Remembers nothing.
  int32_t FindFrom(const std::string& name, int32_t start) const;
  TStringList& Lines(int32_t index);
  const TStringList& Lines(int32_t index) const;
  // Drops every section whose name (ignoring case) an earlier one already
  // has, or lets the callback choose; true when a section was dropped.
  bool ResolveDuplicates(const TDuplicateSectionEvent& callback);
  int32_t LastHit() const { return LastHit_; }
  void SetLastHit(int32_t index) { LastHit_ = index; }

 private:
  mutable int32_t LastHit_ = 0;
};
