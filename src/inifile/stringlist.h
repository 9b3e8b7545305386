// An ordered string list whose entries can carry an associated list, with
// lookups by text or by name that ignore letter case (see lettercase.h).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// An ordered list of texts, each with an optional associated list that this
// class does not own.
class TStringList {
 public:
  TStringList() = default;
  TStringList(const TStringList&) = default;
  TStringList& operator=(const TStringList&) = default;
  virtual ~TStringList() = default;

  int32_t Add(std::string text);  // returns the new index
  int32_t AddObject(std::string text, TStringList* object);
  void Insert(int32_t index, std::string text, TStringList* object = nullptr);
  int32_t Count() const { return static_cast<int32_t>(Items_.size()); }
  const std::string& operator[](int32_t index) const;
  // Calls visit(text) with every entry's text in order: cheaper than indexing
  // each entry when walking a whole long list.
  template <class Visit>
  void ForEachText(Visit&& visit) const {
    for (const std::string& text : Items_) visit(text);
  }
  void Put(int32_t index, std::string text);  // replaces the text, keeps the object
  // Put(index, name + "=" + value), but the old text is let go before the new
  // one is made, so that a long line is never held twice. name and value must
  // not view the entry's own text. Should memory run out while the new text is
  // made, std::bad_alloc leaves the entry empty.
  void PutEntry(int32_t index, std::string_view name, std::string_view value);
  TStringList* Objects(int32_t index) const;
  void PutObject(int32_t index, TStringList* object);
  virtual void Delete(int32_t index);
  // Deletes, in one pass, every entry whose text `doomed` accepts, keeping the
  // others in their order; returns how many went. Objects are treated as by Delete.
  virtual int32_t DeleteIf(const std::function<bool(const std::string&)>& doomed);
  virtual void Clear();
  // Index of the first entry equal to the text ignoring case, or -1.
  virtual int32_t IndexOf(const std::string& text) const;
  // Index of the first entry whose name (text before its first "=") equals
  // the name ignoring case, or -1. Entries without "=" never match.
  int32_t IndexOfName(const std::string& name) const;
  void Sort();  // by text ignoring case; entries keep their objects
  virtual void Assign(const TStringList& source);

 protected:
  // The texts, in blocks, so that a growing list never holds its entries twice.
  using TItems = std::deque<std::string>;

  // Finds the first entry whose whole text, or whose name (text before its
  // first "="), equals a key ignoring case, in about constant time: a hash
  // table covers the entries up to the first one changed since it was built,
  // the rest are compared one by one, and the table is rebuilt once such
  // comparisons have cost as much as a rebuild. Every change of the entries
  // must be reported to it. A copy starts empty.
  class TKeyIndex {
   public:
    explicit TKeyIndex(bool byName) : ByName_(byName) {}
    TKeyIndex(const TKeyIndex& other) : ByName_(other.ByName_) {}
    TKeyIndex& operator=(const TKeyIndex& /*other*/) {
      Reset();
      return *this;
    }
    ~TKeyIndex() = default;

    void Reset();
    // The last entry is new; an index not built yet has nothing to do.
    void Appended(const TItems& items) {
      if (!Slots_.empty()) Extend(items);
    }
    void ChangedFrom(int32_t index);  // entries from index on moved or changed
    void Replaced(int32_t index, const std::string& before, const std::string& after);
    // The first matching entry at or after start, else the first one before
    // it (a search that wraps around); -1 when none matches.
    int32_t Find(const TItems& items, const std::string& key, int32_t start);

   private:
    struct Slot {
      uint32_t Hash;
      int32_t Position;  // -1: empty
    };
    std::string_view KeyOf(const std::string& text, bool& indexed) const;
    bool Matches(const std::string& text, const std::string& key) const;
    int32_t Linear(const TItems& items, const std::string& key, int32_t start) const;
    int32_t Lookup(const TItems& items, std::string_view key, uint32_t hash) const;
    void Insert(const TItems& items, int32_t position);
    void Extend(const TItems& items);  // Appended with a built table
    void Grow();
    void Rebuild(const TItems& items);

    bool ByName_;
    bool Duplicates_ = false;  // some key occurs twice among the covered entries
    int32_t Valid_ = 0;        // entries [0, Valid_) are unchanged since they were indexed
    int32_t Covered_ = 0;      // the table holds entries [0, Covered_)
    int32_t Used_ = 0;         // occupied slots
    int64_t Work_ = 0;         // entries compared one by one since the last rebuild
    std::vector<Slot> Slots_;
  };

  void CheckIndex(int32_t index, bool allowEnd = false) const;
  // DeleteIf's work: removes the entries that doomed(text, object) accepts (it
  // is called once for each entry, in order), keeping the others in order;
  // returns how many went.
  int32_t RemoveItems(const std::function<bool(const std::string&, TStringList*)>& doomed);
  void ItemsChangedFrom(int32_t index) const;
  void ItemsReset() const;
  TItems Items_;
  // The objects, beside the texts: empty while the list holds none, so that a
  // list of a file's lines costs no pointer for each of them.
  std::deque<TStringList*> Objects_;
  mutable TKeyIndex TextIndex_{false};
  mutable TKeyIndex NameIndex_{true};
};
