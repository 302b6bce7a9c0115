#pragma once
// A UTF-16 memo's text in UTF-8, read block by block. U+FFFD stands for
// what is no character; no keyword holds it, so it never matches.
#include <vector>

#include "core/MemoScan.h"

class Utf16Reader : public BlockReader {
public:
  // start: bytes of the text already read from source; raw: a buffer to
  // keep between memos.
  Utf16Reader(BlockReader& source, bool bigEndian, std::vector<char>& raw, const char* start, size_t startLen);

  // cap must be at least 12.
  size_t Read(char* buf, size_t cap) override;

private:
  BlockReader& source;
  bool bigEndian;
  std::vector<char>& raw;
  size_t rawUsed;  // bytes read and not yet converted
  bool atEnd = false;
};
