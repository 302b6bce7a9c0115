#include "Utf8.h"

#include <algorithm>
#include <cstring>

namespace {

__m128i AtLeast(__m128i bytes, unsigned char floor) {
  __m128i limit = _mm_set1_epi8(static_cast<char>(floor));
  return _mm_cmpeq_epi8(_mm_max_epu8(bytes, limit), bytes);
}

__m128i Equal(__m128i bytes, unsigned char value) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(value))); }

// Signed comparisons against a byte in 80-BF: continuation bytes read as
// -128..-65, so they order like their unsigned values.
__m128i Below(__m128i bytes, unsigned char value) { return _mm_cmplt_epi8(bytes, _mm_set1_epi8(static_cast<char>(value))); }
__m128i NotBelow(__m128i bytes, unsigned char value) { return _mm_cmpgt_epi8(bytes, _mm_set1_epi8(static_cast<char>(value - 1))); }

__m128i Or(__m128i a, __m128i b) { return _mm_or_si128(a, b); }
__m128i And(__m128i a, __m128i b) { return _mm_and_si128(a, b); }

}  // namespace

bool Utf8Validator::CheckBlock(__m128i block) {
  if (_mm_movemask_epi8(block) == 0 && !previousOpen) {
    previous = block;
    return true;
  }
  // The bytes one, two and three places before each byte of the block.
  __m128i back1 = Or(_mm_slli_si128(block, 1), _mm_srli_si128(previous, 15));
  __m128i back2 = Or(_mm_slli_si128(block, 2), _mm_srli_si128(previous, 14));
  __m128i back3 = Or(_mm_slli_si128(block, 3), _mm_srli_si128(previous, 13));
  // A byte must continue a sequence exactly when a lead byte before it
  // calls for one there.
  __m128i wanted = Or(Or(AtLeast(back1, 0xC0), AtLeast(back2, 0xE0)), AtLeast(back3, 0xF0));
  __m128i continuation = Below(block, 0xC0);
  __m128i error = _mm_xor_si128(wanted, continuation);
  // C0, C1 and F5-FF never occur; after E0, ED, F0 and F4 the second byte
  // has a narrower range, which keeps out overlong forms, surrogates and
  // characters above U+10FFFF.
  error = Or(error, Or(Equal(_mm_and_si128(block, _mm_set1_epi8(static_cast<char>(0xFE))), 0xC0), AtLeast(block, 0xF5)));
  error = Or(error, And(Equal(back1, 0xE0), Below(block, 0xA0)));
  error = Or(error, And(Equal(back1, 0xED), NotBelow(block, 0xA0)));
  error = Or(error, And(Equal(back1, 0xF0), Below(block, 0x90)));
  error = Or(error, And(Equal(back1, 0xF4), NotBelow(block, 0x90)));
  if (_mm_movemask_epi8(error) != 0) return false;
  int leads2 = _mm_movemask_epi8(AtLeast(block, 0xC0));
  int leads3 = _mm_movemask_epi8(AtLeast(block, 0xE0));
  int leads4 = _mm_movemask_epi8(AtLeast(block, 0xF0));
  previousOpen = ((leads2 >> 15) | (leads3 >> 14) | (leads4 >> 13)) & 1;
  multiByte = true;
  wide = wide || leads3 != 0;
  previous = block;
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
      valid = CheckBlock(_mm_loadu_si128(reinterpret_cast<const __m128i*>(carry)));
    }
  }
  for (; valid && i + 16 <= len; i += 16) valid = CheckBlock(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i)));
  if (!valid) return false;
  std::memcpy(carry + carryLen, data + i, len - i);
  carryLen += len - i;
  // The bytes kept for the next block count for what was seen already.
  for (size_t k = 0; k < carryLen; ++k) {
    multiByte = multiByte || carry[k] >= 0x80;
    wide = wide || carry[k] >= 0xE0;
  }
  return true;
}

bool Utf8Validator::Finish() {
  if (!valid) return false;
  // Padding with ASCII shows a sequence cut short at the end.
  std::memset(carry + carryLen, 0, sizeof carry - carryLen);
  carryLen = 0;
  valid = CheckBlock(_mm_loadu_si128(reinterpret_cast<const __m128i*>(carry)));
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

size_t EncodeUtf8Char(char32_t c, char* out) {
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<char>(0xC0 | c >> 6);
    out[1] = static_cast<char>(0x80 | (c & 0x3F));
    return 2;
  }
  if (c < 0x10000) {
    out[0] = static_cast<char>(0xE0 | c >> 12);
    out[1] = static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out[2] = static_cast<char>(0x80 | (c & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | c >> 18);
  out[1] = static_cast<char>(0x80 | (c >> 12 & 0x3F));
  out[2] = static_cast<char>(0x80 | (c >> 6 & 0x3F));
  out[3] = static_cast<char>(0x80 | (c & 0x3F));
  return 4;
}

void AppendUtf8(char32_t c, std::string& out) {
  char bytes[4];
  out.append(bytes, EncodeUtf8Char(c, bytes));
}
