#include "core/Utf16Reader.h"

#include <algorithm>
#include <cstring>

#include "core/Utf16.h"

Utf16Reader::Utf16Reader(BlockReader& file, bool bigEndianFile, std::vector<char>& buffer, const char* start, size_t startLen)
    : source(file), bigEndian(bigEndianFile), raw(buffer), rawUsed(startLen) {
  if (startLen == 0) return;
  if (raw.size() < startLen) raw.resize(startLen);
  std::memmove(raw.data(), start, startLen);
}

size_t Utf16Reader::Read(char* buf, size_t cap) {
  // As much UTF-16 as surely fits in cap once in UTF-8.
  const size_t take = (cap - 3) / 3 * 2;
  for (;;) {
    if (!atEnd && rawUsed < take) {
      if (raw.size() < take) raw.resize(take);
      size_t got = source.Read(raw.data() + rawUsed, take - rawUsed);
      atEnd = got == 0;
      rawUsed += got;
    }
    size_t offered = std::min(rawUsed, take);
    size_t written;
    size_t taken = Utf16ToUtf8(raw.data(), offered, bigEndian, atEnd && offered == rawUsed, buf, written);
    std::memmove(raw.data(), raw.data() + taken, rawUsed - taken);
    rawUsed -= taken;
    if (written > 0 || (atEnd && rawUsed == 0)) return written;
  }
}
