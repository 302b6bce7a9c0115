#pragma once
// UTF-16 in either byte order. A surrogate that is not half of a pair and a
// last byte without its partner are not characters.
#include <cstddef>
#include <string>

// Bytes taken by the character at text[0], with left >= 1 bytes readable,
// storing it in c (NotAChar, from Utf8.h, for what is no character).
size_t DecodeUtf16Char(const unsigned char* text, size_t left, bool bigEndian, char32_t& c);

void AppendUtf16(char32_t c, bool bigEndian, std::string& out);
