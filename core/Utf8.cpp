#include "core/Utf8.h"

#include <algorithm>
#include <cstring>

namespace {

__m128i Bytes(unsigned char value) { return _mm_set1_epi8(static_cast<char>(value)); }

__m128i Or(__m128i a, __m128i b) { return _mm_or_si128(a, b); }
__m128i And(__m128i a, __m128i b) { return _mm_and_si128(a, b); }
__m128i Equal(__m128i bytes, unsigned char value) { return _mm_cmpeq_epi8(bytes, Bytes(value)); }

// The top bit of each byte tells whether it is floor or above.
__m128i TopBitAtLeast(__m128i bytes, unsigned char floor) { return _mm_subs_epu8(bytes, Bytes(floor - 0x80)); }

// Signed comparisons against a byte in 80-BF: continuation bytes read as
// -128..-65, so they order like their unsigned values.
__m128i Below(__m128i bytes, unsigned char value) { return _mm_cmplt_epi8(bytes, Bytes(value)); }
__m128i NotBelow(__m128i bytes, unsigned char value) { return _mm_cmpgt_epi8(bytes, Bytes(value - 1)); }

// The bytes one, two and three places before each byte of a block.
struct Behind {
  Behind(__m128i block, __m128i last)
      : back1(Or(_mm_slli_si128(block, 1), _mm_srli_si128(last, 15))),
        back2(Or(_mm_slli_si128(block, 2), _mm_srli_si128(last, 14))),
        back3(Or(_mm_slli_si128(block, 3), _mm_srli_si128(last, 13))) {}
  __m128i back1, back2, back3;
};

// A byte must continue a sequence (80-BF) exactly when a lead byte before it
// calls for one there.
int SequenceErrors(__m128i block, const Behind& behind) {
  __m128i wanted = Or(Or(TopBitAtLeast(behind.back1, 0xC0), TopBitAtLeast(behind.back2, 0xE0)), TopBitAtLeast(behind.back3, 0xF0));
  __m128i continuation = _mm_andnot_si128(TopBitAtLeast(block, 0xC0), block);
  return _mm_movemask_epi8(_mm_xor_si128(wanted, continuation));
}

// C0, C1 and F5-FF never occur; after E0, ED, F0 and F4 the second byte has a
// narrower range, which keeps out overlong forms, surrogates and characters
// above U+10FFFF. Each byte is checked as the one before another: a last
// byte among these is a lead byte, which sends the padding after the text
// through here.
__m128i RareLeads(__m128i back1) {
  return Or(Or(Equal(back1, 0xE0), Equal(back1, 0xED)), Or(TopBitAtLeast(back1, 0xF0), Equal(And(back1, Bytes(0xFE)), 0xC0)));
}

int RangeErrors(__m128i block, __m128i back1) {
  __m128i wrong = Or(TopBitAtLeast(back1, 0xF5), Equal(And(back1, Bytes(0xFE)), 0xC0));
  wrong = Or(wrong, And(Equal(back1, 0xE0), Below(block, 0xA0)));
  wrong = Or(wrong, And(Equal(back1, 0xED), NotBelow(block, 0xA0)));
  wrong = Or(wrong, And(Equal(back1, 0xF0), Below(block, 0x90)));
  wrong = Or(wrong, And(Equal(back1, 0xF4), NotBelow(block, 0x90)));
  return _mm_movemask_epi8(wrong);
}

__m128i Load(const char* data) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(data)); }

}  // namespace

bool Utf8Validator::CheckBlocks(const char* data, size_t blocks) {
  // Japanese text holds none of the rare lead bytes, so the blocks are first
  // checked for the sequences alone, and again in full only when they hold one.
  __m128i last = previous;
  __m128i rare = _mm_setzero_si128(), wideLeads = _mm_setzero_si128(), high = _mm_setzero_si128();
  for (size_t n = 0; n < blocks; ++n) {
    __m128i block = Load(data + 16 * n);
    Behind behind(block, last);
    if (SequenceErrors(block, behind) != 0) return false;
    rare = Or(rare, RareLeads(behind.back1));
    wideLeads = Or(wideLeads, _mm_andnot_si128(Or(Equal(block, 0xED), Equal(block, 0xEE)), TopBitAtLeast(block, 0xE0)));
    high = Or(high, block);
    last = block;
  }
  if (_mm_movemask_epi8(rare) != 0) {
    __m128i before = previous;
    for (size_t n = 0; n < blocks; ++n) {
      __m128i block = Load(data + 16 * n);
      if (RangeErrors(block, Behind(block, before).back1) != 0) return false;
      before = block;
    }
  }
  previous = last;
  multiByte = multiByte || _mm_movemask_epi8(high) != 0;
  wide = wide || _mm_movemask_epi8(wideLeads) != 0;
  return true;
}

bool Utf8Validator::Feed(const char* data, size_t len) {
  if (!valid) return false;
  size_t i = 0;
  if (carryLen > 0) {
    i = std::min(len, sizeof carry - carryLen);
    std::memcpy(carry + carryLen, data, i);
    carryLen += i;
    if (carryLen == sizeof carry) {
      carryLen = 0;
      valid = CheckBlocks(reinterpret_cast<const char*>(carry), 1);
    }
  }
  size_t blocks = (len - i) / 16;
  if (valid && blocks > 0) {
    valid = CheckBlocks(data + i, blocks);
    i += 16 * blocks;
  }
  if (!valid) return false;
  std::memcpy(carry + carryLen, data + i, len - i);
  carryLen += len - i;
  // The bytes kept for the next block count for what was seen already.
  for (size_t k = 0; k < carryLen; ++k) {
    multiByte = multiByte || carry[k] >= 0x80;
    wide = wide || (carry[k] >= 0xE0 && carry[k] != 0xED && carry[k] != 0xEE);
  }
  return true;
}

bool Utf8Validator::Finish() {
  if (!valid) return false;
  // Padding with ASCII shows a sequence cut short at the end.
  std::memset(carry + carryLen, 0, sizeof carry - carryLen);
  carryLen = 0;
  valid = CheckBlocks(reinterpret_cast<const char*>(carry), 1);
  return valid;
}

size_t DecodeUtf8Char(const unsigned char* text, size_t left, char32_t& c) {
  unsigned char b = text[0];
  if (b < 0x80) {
    c = b;
    return 1;
  }
  c = NotAChar;
  if (b < 0xC2 || b > 0xF4) return 1;
  size_t length = b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
  unsigned char low = b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : 0x80;
  unsigned char high = b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : 0xBF;
  char32_t value = b & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    if (k >= left || text[k] < low || text[k] > high) return k;
    value = value << 6 | (text[k] & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  c = value;
  return length;
}

void AppendUtf8(char32_t c, std::string& out) {
  char bytes[4];
  out.append(bytes, EncodeUtf8Char(c, bytes));
}
