// The texts of the problems that "Open" returns, held compactly: a file of
// millions of problem lines costs a few bytes for each of them, not a text of
// a hundred bytes. The text of a problem about one line is kept as its parts
// (section, key, value, reason) and made when it is read; a problem that
// repeats the one before it costs one byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

struct TLineWarning;

class TProblemTexts {
 public:
  // Reads the texts in order; each one is made as it is reached.
  class TIterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = std::string;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::string*;
    using reference = const std::string&;

    TIterator() = default;
    const std::string& operator*() const { return Text_; }
    const std::string* operator->() const { return &Text_; }
    TIterator& operator++();
    bool operator==(const TIterator& other) const {
      return Chunk_ == other.Chunk_ && Offset_ == other.Offset_;
    }

   private:
    friend class TProblemTexts;
    TIterator(const TProblemTexts* texts, size_t chunk, size_t offset);
    // The text of the record at the position, which it then passes; without
    // make, only passes it.
    void Read(bool make = true);

    const TProblemTexts* Texts_ = nullptr;
    size_t Chunk_ = 0, Offset_ = 0;  // the record after the current text
    std::string Text_;
  };

  using iterator = TIterator;
  using const_iterator = TIterator;
  using value_type = std::string;

  // Appends a text.
  void Add(std::string_view text);
  // Appends the text that LineProblem(section, key, value, why) gives (see
  // lineproblem_p.h).
  void AddLine(std::string_view section, std::string_view key, std::string_view value,
               std::string_view why);

  // Appends the text of the warning as ShownProblem shows it, kept as its parts.
  void AddWarning(const TLineWarning& warning);

  size_t size() const { return Count_; }
  bool empty() const { return Count_ == 0; }
  TIterator begin() const;
  TIterator end() const;
  std::string front() const { return *begin(); }  // the list must not be empty
  // The text at a position (from 0; below size()), made when asked: a list view
  // reads the texts it shows without ever holding them all. Reaching any position
  // passes over at most a few hundred records. Not for use from two threads at once.
  std::string At(size_t index) const;

  // Every text, in order: for callers that hold them as a list.
  operator std::vector<std::string>() const;  // NOLINT(google-explicit-constructor)
  friend bool operator==(const TProblemTexts& texts, const std::vector<std::string>& list);

 private:
  // The first byte of a record: a text, a line's parts, the record before it once more, or a
  // warning's parts.
  static constexpr char kTextTag = 0, kLineTag = 1, kRepeatTag = 2, kWarningTag = 3;
  // Where a record is: it never spans two chunks.
  struct TPlace {
    size_t Chunk = 0, Offset = 0, Size = 0;
  };

  // Where a record starts, and where the record starts whose text it shows
  // (itself, or the one before it when it is a repeat).
  struct TMark {
    size_t Chunk = 0, Offset = 0;
    size_t ShownChunk = 0, ShownOffset = 0;
  };
  // The mark of the record after the one at `mark`, which must exist.
  TMark Next(const TMark& mark) const;

  // The index of the word among Words_, added when new.
  size_t Word(std::string_view word);
  // Appends one problem's record, or a repeat when it equals the last one.
  void AppendRecord(const std::string& record);
  void Store(std::string_view bytes);

  // The records one after the other, in pieces that are never moved as they grow.
  std::vector<std::string> Chunks_;
  std::vector<std::string> Words_;  // section names and reasons, each once
  TPlace Last_;                     // the last record that is no repeat
  size_t Count_ = 0;
  // The marks of every kMarkEvery-th record, made as At reaches them.
  static constexpr size_t kMarkEvery = 256;
  mutable std::vector<TMark> Marks_;
};
