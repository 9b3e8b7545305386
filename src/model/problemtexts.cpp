#include "model/problemtexts.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "model/lengthcode_p.h"
#include "model/lineproblem_p.h"
#include "model/linewarnings_p.h"

namespace {

constexpr size_t kChunkBytes = size_t{64} * 1024;
// More distinct words than this are written out in every record.
constexpr size_t kMostWords = 64;

void PutText(std::string& record, std::string_view text) {
  PutLength(record, text.size());
  record.append(text);
}

std::string TakeText(std::string_view data, size_t& at) {
  const size_t size = TakeLength(data, at);
  std::string text(data.substr(at, size));
  at += size;
  return text;
}

}  // namespace

size_t TProblemTexts::Word(std::string_view word) {
  const auto found = std::find(Words_.begin(), Words_.end(), word);
  if (found != Words_.end()) return static_cast<size_t>(found - Words_.begin());
  Words_.emplace_back(word);
  return Words_.size() - 1;
}

void TProblemTexts::AppendRecord(const std::string& record) {
  ++Count_;
  if (!Chunks_.empty() &&
      std::string_view(Chunks_[Last_.Chunk]).substr(Last_.Offset, Last_.Size) == record) {
    Store(std::string_view(&kRepeatTag, 1));
    return;
  }
  Store(record);
  Last_ = {Chunks_.size() - 1, Chunks_.back().size() - record.size(), record.size()};
}

void TProblemTexts::Store(std::string_view bytes) {
  if (Chunks_.empty() || Chunks_.back().size() + bytes.size() > Chunks_.back().capacity()) {
    Chunks_.emplace_back();
    Chunks_.back().reserve(std::max(kChunkBytes, bytes.size()));
  }
  Chunks_.back().append(bytes);
}

void TProblemTexts::Add(std::string_view text) {
  std::string record(1, kTextTag);
  PutText(record, text);
  AppendRecord(record);
}

void TProblemTexts::AddLine(std::string_view section, std::string_view key, std::string_view value,
                            std::string_view why) {
  if (Words_.size() + 2 > kMostWords) {
    Add(LineProblem(std::string(section), std::string(key), std::string(value), std::string(why))
            .Text);
    return;
  }
  std::string record(1, kLineTag);
  PutLength(record, Word(section));
  PutLength(record, Word(why));
  PutText(record, key);
  PutText(record, value);
  AppendRecord(record);
}

void TProblemTexts::AddWarning(const TLineWarning& warning) {
  if (Words_.size() + 1 > kMostWords) {
    Add(ShownProblem(WarningProblem(warning)));
    return;
  }
  std::string record(1, kWarningTag);
  record += static_cast<char>(warning.Kind);
  PutLength(record, Word(warning.Section));
  PutText(record, warning.Text);
  AppendRecord(record);
}

TProblemTexts::TIterator::TIterator(const TProblemTexts* texts, size_t chunk, size_t offset)
    : Texts_(texts), Chunk_(chunk), Offset_(offset) {
  Read();
}

void TProblemTexts::TIterator::Read(bool make) {
  if (Texts_ == nullptr || Chunk_ >= Texts_->Chunks_.size()) return;
  const std::string_view data = Texts_->Chunks_[Chunk_];
  const char tag = data[Offset_++];
  if (tag == kTextTag) {
    std::string text = TakeText(data, Offset_);
    if (make) Text_ = std::move(text);
  } else if (tag == kLineTag) {
    const std::string& section = Texts_->Words_[TakeLength(data, Offset_)];
    const std::string& why = Texts_->Words_[TakeLength(data, Offset_)];
    const std::string key = TakeText(data, Offset_);
    const std::string value = TakeText(data, Offset_);
    if (make) Text_ = LineProblem(section, key, value, why).Text;
  } else if (tag == kWarningTag) {
    const auto kind = static_cast<TWarningKind>(data[Offset_++]);
    const std::string& section = Texts_->Words_[TakeLength(data, Offset_)];
    const std::string line = TakeText(data, Offset_);
    if (make) Text_ = ShownProblem(WarningProblem({kind, 0, section, line}));
  }  // a repeat keeps the text before it
  if (Offset_ == data.size()) {
    ++Chunk_;
    Offset_ = 0;
  }
}

TProblemTexts::TIterator& TProblemTexts::TIterator::operator++() {
  if (Texts_ != nullptr && Chunk_ >= Texts_->Chunks_.size()) {
    Texts_ = nullptr;  // past the last text: equal to end()
    Chunk_ = 0;
    Offset_ = 0;
  }
  Read();
  return *this;
}

TProblemTexts::TIterator TProblemTexts::begin() const {
  return empty() ? end() : TIterator(this, 0, 0);
}

TProblemTexts::TIterator TProblemTexts::end() const { return TIterator(); }

TProblemTexts::operator std::vector<std::string>() const {
  std::vector<std::string> list;
  list.reserve(Count_);
  for (const std::string& text : *this) list.push_back(text);
  return list;
}

bool operator==(const TProblemTexts& texts, const std::vector<std::string>& list) {
  if (texts.size() != list.size()) return false;
  return std::equal(list.begin(), list.end(), texts.begin());
}

TProblemTexts::TMark TProblemTexts::Next(const TMark& mark) const {
  TIterator record;
  record.Texts_ = this;
  record.Chunk_ = mark.Chunk;
  record.Offset_ = mark.Offset;
  record.Read(false);  // passes the record without making its text
  TMark next{record.Chunk_, record.Offset_, record.Chunk_, record.Offset_};
  // A repeat shows the text that the record before it shows.
  if (Chunks_[next.Chunk][next.Offset] == kRepeatTag) {
    next.ShownChunk = mark.ShownChunk;
    next.ShownOffset = mark.ShownOffset;
  }
  return next;
}

std::string TProblemTexts::At(size_t index) const {
  if (index >= Count_) throw std::out_of_range("no problem text " + std::to_string(index));
  // Marks are made only for records that exist: Add never moves one.
  if (Marks_.empty()) Marks_.push_back(TMark{});
  while (Marks_.size() <= index / kMarkEvery) {
    TMark mark = Marks_.back();
    for (size_t i = 0; i < kMarkEvery; ++i) mark = Next(mark);
    Marks_.push_back(mark);
  }
  TMark mark = Marks_[index / kMarkEvery];
  for (size_t i = 0; i < index % kMarkEvery; ++i) mark = Next(mark);
  return *TIterator(this, mark.ShownChunk, mark.ShownOffset);
}
