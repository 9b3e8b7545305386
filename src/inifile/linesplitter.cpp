#include "inifile/linesplitter_p.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Where the first CR or LF in data[from, size) lies, or size. One pass over
// the bytes, sixteen at a time where the processor allows.
size_t FindLineEnd(const char* data, size_t from, size_t size) {
#ifdef __SSE2__
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  for (; from + 16 <= size; from += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
    const int ends =
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)));
    if (ends != 0) return from + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(ends)));
  }
#endif
  for (; from < size; ++from)
    if (data[from] == '\r' || data[from] == '\n') return from;
  return size;
}

}  // namespace

bool TLineSplitter::Next(std::string_view& line) {
  const size_t size = Data_.size();
  if (Position_ >= size) return false;
  const char* data = Data_.data();
  if (data[Position_] == '\n' && Position_ > 0 && data[Position_ - 1] == '\r') ++Position_;
  const size_t end = FindLineEnd(data, Position_, size);
  line = std::string_view(data + Position_, end - Position_);
  Position_ = end < size ? end + 1 : end;
  return true;
}

bool TLineSplitter::Next(std::string_view& line, std::string_view& end) {
  const size_t size = Data_.size();
  if (Position_ >= size) return false;
  const char* data = Data_.data();
  const size_t stop = FindLineEnd(data, Position_, size);
  line = std::string_view(data + Position_, stop - Position_);
  size_t next = stop;
  if (stop < size)
    next = data[stop] == '\r' && stop + 1 < size && data[stop + 1] == '\n' ? stop + 2 : stop + 1;
  end = std::string_view(data + stop, next - stop);
  Position_ = next;
  return true;
}
