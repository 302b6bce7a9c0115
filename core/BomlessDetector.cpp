#include "BomlessDetector.h"

void BomlessDetector::Feed(const char* data, size_t len) {
  if (!utf8Possible) return;
  utf8Possible = utf8.Feed(data, len);
  // Whether the bytes are CP932 text decides only when every character stays
  // below U+0800, and that can no longer hold once one is seen.
  if (utf8Possible && !utf8.SawWide()) cp932.Feed(data, len);
}

bool BomlessDetector::FinishIsUtf8() {
  utf8Possible = utf8Possible && utf8.Finish();
  return utf8Possible && utf8.SawMultiByte() && (utf8.SawWide() || !cp932.Finish());
}
