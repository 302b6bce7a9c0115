#pragma once
// Code page 932 character rules shared by every search in the core.
//
// Walking a text from a known character start, a lead byte followed by a
// valid trail byte is one double-byte character; any other byte, including a
// lead byte at the end of the text or before a byte that cannot follow it
// (CR, LF, NUL, a space...), is a character of its own.
#include <cstddef>

inline bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

inline bool IsTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// First occurrence of word in text that begins on a character start, text[0]
// being one. Bytes are compared exactly; an empty word occurs at text.
const char* Cp932Find(const char* text, size_t textLen, const char* word, size_t wordLen);
