#include "core/MemoReadings.h"

#include "core/LineScan.h"

MemoReadings::MemoReadings(const KeywordMatcher& keyword, const volatile int* stop, bool utf8)
    : matcher(keyword), stopFlag(stop), reading(utf8 ? Reading::Utf8 : Reading::Open) {}

void MemoReadings::Feed(const char* bytes, size_t len) {
  if (reading != Reading::Open) return;
  detector.Feed(bytes, len);
  if (detector.SurelyCp932()) reading = Reading::Cp932;
}

ScanResult MemoReadings::ScanIn(const KeywordWords& words, bool& matched, const char* data, size_t len) {
  ScanResult result = ::ScanLines(data, len, words, stopFlag);
  if (result == ScanResult::Stopped) return result;
  matched = matched || result == ScanResult::Match;
  return Result();
}

ScanResult MemoReadings::ScanLines(const char* data, size_t len) {
  if (reading == Reading::Cp932) return ScanIn(matcher.Cp932Words(), cp932Matched, data, len);
  if (reading == Reading::Utf8) return ScanIn(matcher.Utf8Words(), utf8Matched, data, len);
  if (detector.AllAscii()) {
    // In ASCII text a word occurs in both readings or in neither.
    ScanResult result = ScanIn(matcher.Cp932Words(), cp932Matched, data, len);
    utf8Matched = cp932Matched;
    return result == ScanResult::Stopped ? result : Result();
  }
  if (!cp932Matched) {
    ScanResult result = ScanIn(matcher.Cp932Words(), cp932Matched, data, len);
    if (result == ScanResult::Stopped) return result;
  }
  if (!utf8Matched) return ScanIn(matcher.Utf8Words(), utf8Matched, data, len);
  return Result();
}

ScanResult MemoReadings::Result() const {
  bool counts = (cp932Matched && utf8Matched) || (reading == Reading::Cp932 && cp932Matched) || (reading == Reading::Utf8 && utf8Matched);
  return counts ? ScanResult::Match : ScanResult::NoMatch;
}

bool MemoReadings::RestDecides() const { return reading == Reading::Open && cp932Matched != utf8Matched; }

ScanResult MemoReadings::Finish() {
  if (reading == Reading::Open) reading = detector.FinishIsUtf8() ? Reading::Utf8 : Reading::Cp932;
  return Result();
}
