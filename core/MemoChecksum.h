#pragma once
// A 64-bit checksum of a memo file's bytes: the panel keeps the one of what
// it loaded or last wrote, to tell a file changed by another program from
// one that was only touched.
#include <cstddef>
#include <cstdint>

uint64_t MemoChecksum(const void* data, size_t length);
