#pragma once
// Code page 932 and Unicode, one character at a time, converted as Windows
// converts them but with no best fit and no default character: bytes either
// are a CP932 character or are not CP932 text, and a character either has
// a CP932 form that decodes back to it or has none (U+00A5, emoji...).
#include <cstddef>
#include <cstdint>

#include "core/Cp932Table.h"

// Length (1 or 2) of the CP932 character at text[0], with left >= 1 bytes
// readable, storing the character in c; 0 when the bytes there are not CP932
// text: 80, A0 and FD-FF, a lead byte at the end, and a lead byte whose next
// byte does not make an assigned code with it.
inline size_t DecodeCp932Char(const unsigned char* text, size_t left, char32_t& c) {
  unsigned char b = text[0];
  if (b < 0x80) {
    c = b;
    return 1;
  }
  if (b >= 0xA1 && b <= 0xDF) {
    c = 0xFF61 + (b - 0xA1);
    return 1;
  }
  if (left < 2) return 0;
  const Cp932Row& row = Cp932Rows[b];
  unsigned at = static_cast<unsigned>(text[1]) - row.firstTrail;
  if (at >= row.count || row.chars[at] == 0) return 0;
  c = row.chars[at];
  return 2;
}

// The code each character below U+10000 encodes to: a single byte below
// 0x100, otherwise lead << 8 | trail; 0 for none.
const uint16_t* Cp932Forms();

// Writes c's CP932 form to out and returns its length (1 or 2), or 0 when c
// has none.
inline size_t EncodeCp932Char(char32_t c, char* out) {
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
    return 1;
  }
  if (c > 0xFFFF) return 0;
  uint16_t form = Cp932Forms()[c];
  if (form == 0) return 0;
  if (form < 0x100) {
    out[0] = static_cast<char>(form);
    return 1;
  }
  out[0] = static_cast<char>(form >> 8);
  out[1] = static_cast<char>(form);
  return 2;
}

// Whether every byte of a text, given in pieces cut anywhere, belongs to a
// CP932 character.
class Cp932Validator {
public:
  // False once the text so far is known not to be CP932 text.
  bool Feed(const char* data, size_t len);
  // Whether the whole text was CP932 text.
  bool Finish() const { return valid && pendingLead == 0; }

private:
  bool valid = true;
  unsigned char pendingLead = 0;
};
