#pragma once
// Most memo text has runs of ASCII between other characters; conversions and
// checks pass over them 16 bytes at a time.
#include <cstddef>
#include <emmintrin.h>

// How many bytes from text[0] on are ASCII, with left bytes readable.
inline size_t AsciiRun(const unsigned char* text, size_t left) {
  size_t run = 0;
  for (; run + 16 <= left; run += 16) {
    int high = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text + run)));
    if (high != 0) return run + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(high)));
  }
  while (run < left && text[run] < 0x80) ++run;
  return run;
}
