#include "core/BomlessDetector.h"

void BomlessDetector::Feed(const char* data, size_t len) {
  if (!utf8Possible) return;
  utf8Possible = utf8.Feed(data, len);
  if (!utf8Possible || utf8.SawWide() || !cp932Possible) return;
  cp932Possible = cp932.Feed(data, len);
  if (cp932Possible) words.Feed(data, len);
}

bool BomlessDetector::FinishIsUtf8() {
  utf8Possible = utf8Possible && utf8.Finish();
  if (!utf8Possible || !utf8.SawMultiByte()) return false;
  return utf8.SawWide() || !cp932Possible || !cp932.Finish() || words.FinishFavoursUtf8();
}
