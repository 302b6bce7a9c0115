#include "core/ByteSearch.h"

#include <cstring>
#include <emmintrin.h>

static int Mask(__m128i block, __m128i probe) { return _mm_movemask_epi8(_mm_cmpeq_epi8(block, probe)); }

static __m128i Load(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

size_t FindByte(const char* data, size_t len, size_t from, unsigned char byte) {
  const __m128i probe = _mm_set1_epi8(static_cast<char>(byte));
  size_t i = from;
  // Four vectors a round: the streaming scan sweeps every block it reads
  // for a Ctrl-Z, so this loop sees every byte of a memo.
  for (; i + 64 <= len; i += 64) {
    int m0 = Mask(Load(data + i), probe);
    int m1 = Mask(Load(data + i + 16), probe);
    int m2 = Mask(Load(data + i + 32), probe);
    int m3 = Mask(Load(data + i + 48), probe);
    if (m0 | m1 | m2 | m3) {
      unsigned long long all = static_cast<unsigned>(m0) | static_cast<unsigned>(m1) << 16 | static_cast<unsigned long long>(m2) << 32 |
                               static_cast<unsigned long long>(m3) << 48;
      return i + __builtin_ctzll(all);
    }
  }
  for (; i + 16 <= len; i += 16) {
    int m = Mask(Load(data + i), probe);
    if (m) return i + __builtin_ctz(m);
  }
  for (; i < len; ++i) {
    if (static_cast<unsigned char>(data[i]) == byte) return i;
  }
  return NotFound;
}

size_t FindBytes(const char* text, size_t len, size_t from, const char* word, size_t wordLen) {
  if (wordLen == 1) return FindByte(text, len, from, static_cast<unsigned char>(word[0]));
  if (wordLen > len || from > len - wordLen) return NotFound;
  const size_t lastStart = len - wordLen;
  const size_t tailOffset = wordLen - 1;
  const __m128i first = _mm_set1_epi8(word[0]);
  const __m128i last = _mm_set1_epi8(word[tailOffset]);
  size_t i = from;
  // Only candidates whose first and last bytes both agree reach memcmp, which
  // makes a candidate rare even in text full of the word's lead byte.
  for (; i + 16 <= lastStart + 1; i += 16) {
    __m128i hits = _mm_and_si128(_mm_cmpeq_epi8(Load(text + i), first), _mm_cmpeq_epi8(Load(text + i + tailOffset), last));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
    while (mask) {
      size_t at = i + __builtin_ctz(mask);
      if (std::memcmp(text + at + 1, word + 1, wordLen - 2) == 0) return at;
      mask &= mask - 1;
    }
  }
  for (; i <= lastStart; ++i) {
    if (text[i] == word[0] && text[i + tailOffset] == word[tailOffset] && std::memcmp(text + i + 1, word + 1, wordLen - 2) == 0) return i;
  }
  return NotFound;
}
