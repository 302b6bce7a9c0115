#pragma once
// A 64-bit checksum of a memo file's bytes: a recovery record keeps the one
// of the file its edits started from, so that a later start can tell whether
// the file is still as it was.
#include <cstddef>
#include <cstdint>

uint64_t MemoChecksum(const void* data, size_t length);
