#pragma once
// UTF-16 in either byte order. A surrogate that is not half of a pair and a
// last byte without its partner are not characters.
#include <cstddef>

inline bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Bytes taken by the character at text[0], with left >= 1 bytes readable,
// storing it in c (NotAChar, from Utf8.h, for what is no character).
size_t DecodeUtf16Char(const unsigned char* text, size_t left, bool bigEndian, char32_t& c);

// Writes the UTF-8 form of UTF-16 text to out, U+FFFD standing for each piece
// that is no character, and returns the bytes of text taken. Unless whole,
// an end that the next bytes may still complete (an odd byte, a high
// surrogate) is left for them. out needs room for 3 bytes per 2 of text,
// plus 3.
size_t Utf16ToUtf8(const char* text, size_t len, bool bigEndian, bool whole, char* out, size_t& written);
