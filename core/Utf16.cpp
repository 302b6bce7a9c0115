#include "core/Utf16.h"

#include "core/Utf8.h"

namespace {

char32_t Unit(const unsigned char* text, bool bigEndian) {
  return bigEndian ? static_cast<char32_t>(text[0] << 8 | text[1]) : static_cast<char32_t>(text[1] << 8 | text[0]);
}

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

size_t DecodeUtf16Char(const unsigned char* text, size_t left, bool bigEndian, char32_t& c) {
  c = NotAChar;
  if (left < 2) return 1;
  char32_t unit = Unit(text, bigEndian);
  if (IsLowSurrogate(unit)) return 2;
  if (!IsHighSurrogate(unit)) {
    c = unit;
    return 2;
  }
  if (left < 4) return 2;
  char32_t next = Unit(text + 2, bigEndian);
  if (!IsLowSurrogate(next)) return 2;
  c = 0x10000 + ((unit - 0xD800) << 10 | (next - 0xDC00));
  return 4;
}

size_t Utf16ToUtf8(const char* text, size_t len, bool bigEndian, bool whole, char* out, size_t& written) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
  written = 0;
  size_t i = 0;
  while (i < len) {
    size_t left = len - i;
    bool mayGrow = left < 2 || (left < 4 && IsHighSurrogate(Unit(bytes + i, bigEndian)));
    if (mayGrow && !whole) break;
    char32_t c;
    i += DecodeUtf16Char(bytes + i, left, bigEndian, c);
    written += EncodeUtf8Char(c == NotAChar ? 0xFFFD : c, out + written);
  }
  return i;
}
