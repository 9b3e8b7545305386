// The lines of the problems that "Open" reports, for problems handed over one
// at a time rather than in one list (see ProblemLines in projectfile.h).
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>

#include "model/model.h"

class TProblemLines {
 public:
  // Notes the key of a problem, whose line Line will be asked for; nothing for a
  // problem that knows its line.
  void Want(const TOpenProblem& problem);
  // True when a key was noted, whose line Find would find.
  bool Wants() const { return !Wanted_.empty(); }
  // Finds in one pass over the file's bytes the lines of every key noted; holds
  // a number for each such line, not the bytes.
  void Find(const std::string& fileBytes);
  // The problem's line as ProblemLines gives it, for a problem whose key was
  // noted before Find: its own Line when not 0, else 0 where it has no key or
  // the key is not found.
  int32_t Line(const TOpenProblem& problem) const;

  // Key name -> the lines of that key, in file order; both names ignoring letter
  // case. A key may have a line for every few bytes of the file: the numbers are
  // kept in pieces, which grow without being moved.
  using TKeyLines = std::unordered_map<std::string, std::deque<int32_t>>;
  using TSectionKeys = std::unordered_map<std::string, TKeyLines>;

 private:
  TSectionKeys Wanted_;
};
