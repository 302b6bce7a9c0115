#pragma once
// UTF-8 as memo files may hold it. Only well-formed text counts: no overlong
// form, no surrogate, nothing above U+10FFFF, no sequence cut short.
#include <cstddef>
#include <string>

#include <emmintrin.h>

// Stands for a piece of text that is no character of its encoding.
const char32_t NotAChar = 0xFFFFFFFF;

// Checks bytes given in pieces cut anywhere, 16 bytes at a time.
class Utf8Validator {
public:
  // False once the bytes so far are known not to be UTF-8.
  bool Feed(const char* data, size_t len);
  // Ends the bytes: whether they all were UTF-8. Call it once.
  bool Finish();

  // While the bytes are UTF-8: whether one fed so far lies outside ASCII.
  bool SawMultiByte() const { return multiByte; }
  // Whether a byte fed so far starts a character at U+0800 or above, leaving
  // out U+D000-D7FF and U+E000-EFFF (lead bytes ED and EE): code page 932
  // text makes those of the codes NEC selected for IBM's kanji ("德永" is
  // ED 9E 89 69, "힉i"), where the other lead bytes break within a character
  // or two.
  bool SawWide() const { return wide; }

private:
  bool CheckBlocks(const char* data, size_t blocks);

  __m128i previous = _mm_setzero_si128();
  unsigned char carry[16] = {};
  size_t carryLen = 0;
  bool valid = true;
  bool multiByte = false;
  bool wide = false;
};

// Length of the character at text[0], with left >= 1 bytes readable, storing
// it in c; for ill-formed bytes, the length of the piece that stands for one
// replaced character, with NotAChar in c.
size_t DecodeUtf8Char(const unsigned char* text, size_t left, char32_t& c);

// Writes c's UTF-8 form (1 to 4 bytes) to out and returns its length.
inline size_t EncodeUtf8Char(char32_t c, char* out) {
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

void AppendUtf8(char32_t c, std::string& out);
