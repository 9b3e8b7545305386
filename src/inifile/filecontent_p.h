// The content that a save writes into a file, made on demand: a large text
// need never be held whole, only produced again for each pass over it (its
// length, its check sum, the recovery copy, the file itself).
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

class TFileContent {
 public:
  using TPut = std::function<void(std::string_view)>;

  TFileContent() = default;
  TFileContent(const TFileContent&) = delete;
  TFileContent& operator=(const TFileContent&) = delete;
  virtual ~TFileContent() = default;

  // Hands the content's bytes, in order, to put: the same bytes at every call.
  virtual void Produce(const TPut& put) const = 0;
};

// A text that is held whole already, as content.
class TTextContent : public TFileContent {
 public:
  explicit TTextContent(std::string_view text) : Text_(text) {}
  void Produce(const TPut& put) const override { put(Text_); }

 private:
  std::string_view Text_;
};

// The content's length in bytes and its FNV-1a check sum.
struct TContentFacts {
  uint64_t Size = 0;
  uint64_t Sum = 0;
};
TContentFacts ContentFacts(const TFileContent& content);

// Produces the content and hands it to write in pieces of `piece` bytes (the
// last one shorter), so that each write request is large: the text comes in
// small parts. Stops at the first write that fails and returns its errno;
// returns EIO when the content turns out longer or shorter than `expected`
// (when one is given), 0 when all was written.
int WriteContent(const TFileContent& content, size_t piece,
                 const std::function<int(std::string_view)>& write,
                 const uint64_t* expected = nullptr);
