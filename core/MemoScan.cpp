#include "core/MemoScan.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/ByteSearch.h"
#include "core/LineScan.h"
#include "core/MemoEncoding.h"
#include "core/MemoReadings.h"
#include "core/Utf16.h"
#include "core/Utf16Reader.h"

namespace {

const size_t BlockSize = 64 * 1024;
const unsigned char CtrlZ = 0x1A;
const size_t LongestBom = 3;
// Past this, lines of a memo that may still be read either way are searched
// in both readings rather than kept.
const size_t MaxWaitingBytes = 1024 * 1024;

size_t FindLastLf(const char* data, size_t from, size_t len) {
  for (size_t i = len; i > from; --i) {
    if (data[i - 1] == '\n') return i - 1;
  }
  return NotFound;
}

}  // namespace

BlockReader::~BlockReader() = default;

MemoScanner::MemoScanner(const KeywordMatcher& keyword, const volatile int* stop) : matcher(keyword), stopFlag(stop) {}

ScanResult MemoScanner::Scan(BlockReader& reader) {
  if (StopRequested(stopFlag)) return ScanResult::Stopped;
  if (buffer.size() < BlockSize) buffer.resize(BlockSize);
  size_t got = 0;
  for (size_t more = 1; got < LongestBom && more > 0; got += more) more = reader.Read(buffer.data() + got, buffer.size() - got);
  MemoEncoding encoding;
  if (!StartsWithBom(buffer.data(), got, encoding)) return ScanText(reader, got, false);
  size_t bom = BomLength(encoding);
  if (encoding == MemoEncoding::Utf8Bom) {
    std::memmove(buffer.data(), buffer.data() + bom, got - bom);
    return ScanText(reader, got - bom, true);
  }
  Utf16Reader utf8(reader, encoding == MemoEncoding::Utf16BeBom, utf16Buffer, buffer.data() + bom, got - bom);
  return ScanText(utf8, 0, true);
}

ScanResult MemoScanner::ScanText(BlockReader& reader, size_t got, bool utf8) {
  MemoReadings readings(matcher, stopFlag, utf8);
  // buffer[0, used) holds text not scanned yet, and the got bytes after it
  // are new. Whole lines are scanned as soon as a block completes them, so a
  // match that straddles two blocks is seen once the second one arrives;
  // but while the memo may still be read either way, lines wait (up to a
  // limit) for its encoding to show, so as to be searched once.
  size_t used = 0;
  // Lines left waiting may end before the new bytes.
  bool waited = false;
  for (;; used += got, got = 0) {
    bool atEnd = false;
    if (got == 0) {
      if (StopRequested(stopFlag)) return ScanResult::Stopped;
      if (buffer.size() - used < BlockSize) buffer.resize(std::max(buffer.size() * 2, used + BlockSize));
      got = reader.Read(buffer.data() + used, buffer.size() - used);
      atEnd = got == 0;
    }
    char* data = buffer.data();
    readings.Feed(data + used, got);
    // The new bytes may have shown that a match found before counts.
    if (readings.Result() == ScanResult::Match) return ScanResult::Match;
    if (atEnd) return readings.Finish() == ScanResult::Match ? ScanResult::Match : readings.ScanLines(data, used);
    size_t end = used + got;
    // The text ends at a Ctrl-Z.
    size_t ctrlZ = FindByte(data, end, used, CtrlZ);
    if (ctrlZ != NotFound) return ScanUpTo(reader, readings, ctrlZ);
    if (readings.NeedsBothReadings() && end < MaxWaitingBytes) {
      waited = true;
      continue;
    }
    size_t lastLf = FindLastLf(data, waited ? 0 : used, end);
    waited = false;
    if (lastLf == NotFound) continue;
    size_t complete = lastLf + 1;
    ScanResult result = readings.ScanLines(data, complete);
    if (result != ScanResult::NoMatch) return result;
    std::memmove(data, data + complete, end - complete);
    used = 0;
    got = end - complete;
  }
}

ScanResult MemoScanner::ScanUpTo(BlockReader& reader, MemoReadings& readings, size_t textEnd) {
  if (readings.NeedsBothReadings() && !ReadRest(reader, readings, textEnd, true)) return ScanResult::Stopped;
  ScanResult result = readings.ScanLines(buffer.data(), textEnd);
  if (result != ScanResult::NoMatch) return result;
  return ReadRest(reader, readings, 0, false) ? readings.Result() : ScanResult::Stopped;
}

bool MemoScanner::ReadRest(BlockReader& reader, MemoReadings& readings, size_t keep, bool untilKnown) {
  if (buffer.size() < keep + BlockSize) buffer.resize(keep + BlockSize);
  while (untilKnown ? readings.IsOpen() : readings.RestDecides()) {
    if (StopRequested(stopFlag)) return false;
    size_t got = reader.Read(buffer.data() + keep, buffer.size() - keep);
    if (got == 0) {
      readings.Finish();
      return true;
    }
    readings.Feed(buffer.data() + keep, got);
  }
  return true;
}

ScanView ScanViewOf(const char* data, size_t len, std::string& holder) {
  MemoEncoding encoding = DetectMemoEncoding(data, len);
  size_t bom = BomLength(encoding);
  switch (encoding) {
    case MemoEncoding::Cp932:
      return ScanView{data, len, false};
    case MemoEncoding::Utf8:
    case MemoEncoding::Utf8Bom:
      return ScanView{data + bom, len - bom, true};
    case MemoEncoding::Utf16LeBom:
    case MemoEncoding::Utf16BeBom:
      break;
  }
  holder.assign(3 * (len / 2) + 3, '\0');
  size_t written;
  Utf16ToUtf8(data + bom, len - bom, encoding == MemoEncoding::Utf16BeBom, true, &holder[0], written);
  holder.resize(written);
  return ScanView{holder.data(), written, true};
}

ScanResult ScanMemoView(const ScanView& view, const KeywordMatcher& matcher, const volatile int* stopFlag) {
  if (StopRequested(stopFlag)) return ScanResult::Stopped;
  return ScanLines(view.data, view.len, view.utf8 ? matcher.Utf8Words() : matcher.Cp932Words(), stopFlag);
}

ScanResult ScanMemoBuffer(const char* data, size_t len, const KeywordMatcher& matcher, const volatile int* stopFlag) {
  if (StopRequested(stopFlag)) return ScanResult::Stopped;
  std::string holder;
  return ScanMemoView(ScanViewOf(data, len, holder), matcher, stopFlag);
}
