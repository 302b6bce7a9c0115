#pragma once
// Which matching lines count in a memo searched block by block while its
// encoding becomes known. A byte order mark settles it at once: the scan gets
// the text of UTF-8 and UTF-16 memos in UTF-8. Without one, the memo may turn
// out CP932 or UTF-8 (BomlessDetector decides, as for loading), so each
// reading is searched with its own words, and a match is reported as soon as
// it holds in every reading still open. A CP932 memo shows itself within its
// first non-ASCII bytes, and while all bytes are ASCII the readings agree.
#include <cstddef>

#include "core/BomlessDetector.h"
#include "core/KeywordMatch.h"
#include "core/ScanResult.h"

class MemoReadings {
public:
  // utf8: the memo had a byte order mark, and its text comes in UTF-8.
  MemoReadings(const KeywordMatcher& matcher, const volatile int* stopFlag, bool utf8);

  // Every byte of a memo without a byte order mark, in order, as it is read.
  void Feed(const char* bytes, size_t len);

  // Whether the memo may still turn out either way.
  bool IsOpen() const { return reading == Reading::Open; }
  // Whether it may, and holds bytes outside ASCII: lines searched now would
  // have to be searched in both readings.
  bool NeedsBothReadings() const { return IsOpen() && !detector.AllAscii(); }

  // Searches whole lines of the text, as ScanLines does, in each reading
  // still open and not matched yet; Match once a match counts.
  ScanResult ScanLines(const char* data, size_t len);

  // Match when a match found so far counts already.
  ScanResult Result() const;

  // Whether the file's bytes after the end of its text still decide the
  // result: the encoding is open and one reading alone matched.
  bool RestDecides() const;

  // The result once every byte of the file was fed. Call it once.
  ScanResult Finish();

private:
  enum class Reading { Open, Cp932, Utf8 };

  ScanResult ScanIn(const KeywordWords& words, bool& matched, const char* data, size_t len);

  const KeywordMatcher& matcher;
  const volatile int* stopFlag;
  Reading reading;
  BomlessDetector detector;
  bool cp932Matched = false;
  bool utf8Matched = false;
};
