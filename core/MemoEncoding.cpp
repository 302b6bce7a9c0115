#include "core/MemoEncoding.h"

#include <cstring>

#include "core/BomlessDetector.h"

namespace {

struct Bom {
  MemoEncoding encoding;
  const char* bytes;
  size_t len;
} const Boms[] = {
    {MemoEncoding::Utf8Bom, "\xEF\xBB\xBF", 3},
    {MemoEncoding::Utf16LeBom, "\xFF\xFE", 2},
    {MemoEncoding::Utf16BeBom, "\xFE\xFF", 2},
};

}  // namespace

bool StartsWithBom(const char* bytes, size_t len, MemoEncoding& encoding) {
  for (const Bom& bom : Boms) {
    if (len >= bom.len && std::memcmp(bytes, bom.bytes, bom.len) == 0) {
      encoding = bom.encoding;
      return true;
    }
  }
  return false;
}

size_t BomLength(MemoEncoding encoding) {
  for (const Bom& bom : Boms) {
    if (bom.encoding == encoding) return bom.len;
  }
  return 0;
}

MemoEncoding DetectMemoEncoding(const char* bytes, size_t len) {
  MemoEncoding encoding;
  if (StartsWithBom(bytes, len, encoding)) return encoding;
  BomlessDetector detector;
  detector.Feed(bytes, len);
  return detector.FinishIsUtf8() ? MemoEncoding::Utf8 : MemoEncoding::Cp932;
}
