#pragma once
// Raw SSE2 byte searches that every text search in the core is built on.
// They know nothing of characters: callers check the character boundary.
#include <cstddef>

const size_t NotFound = static_cast<size_t>(-1);

// Position of the first byte equal to `byte` in data[from, len), or NotFound.
size_t FindByte(const char* data, size_t len, size_t from, unsigned char byte);

// Position of the first exact copy of word (wordLen >= 1) starting in
// text[from, len), or NotFound.
size_t FindBytes(const char* text, size_t len, size_t from, const char* word, size_t wordLen);
