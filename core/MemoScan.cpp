#include "MemoScan.h"

#include <algorithm>
#include <cstring>

#include "ByteSearch.h"
#include "LineScan.h"

namespace {

const size_t BlockSize = 64 * 1024;
const unsigned char CtrlZ = 0x1A;

size_t FindLastLf(const char* data, size_t from, size_t len) {
  for (size_t i = len; i > from; --i) {
    if (data[i - 1] == '\n') return i - 1;
  }
  return NotFound;
}

}  // namespace

BlockReader::~BlockReader() = default;

MemoScanner::MemoScanner(const KeywordMatcher& matcher, const volatile int* stopFlag) : matcher(matcher), stopFlag(stopFlag) {}

ScanResult MemoScanner::Scan(BlockReader& reader) {
  // buffer[0, used) holds the start of a line not yet complete; whole lines
  // are scanned as soon as a block completes them, so a match that straddles
  // two blocks is seen once the second one arrives.
  size_t used = 0;
  for (;;) {
    if (StopRequested(stopFlag)) return ScanResult::Stopped;
    if (buffer.size() - used < BlockSize) buffer.resize(std::max(buffer.size() * 2, used + BlockSize));
    char* data = buffer.data();
    size_t got = reader.Read(data + used, buffer.size() - used);
    if (got == 0) return ScanLines(data, used, matcher, stopFlag);
    size_t end = used + got;
    // The file ends at a Ctrl-Z: read no further.
    size_t ctrlZ = FindByte(data, end, used, CtrlZ);
    if (ctrlZ != NotFound) return ScanLines(data, ctrlZ, matcher, stopFlag);
    size_t lastLf = FindLastLf(data, used, end);
    used = end;
    if (lastLf == NotFound) continue;
    size_t complete = lastLf + 1;
    ScanResult result = ScanLines(data, complete, matcher, stopFlag);
    if (result != ScanResult::NoMatch) return result;
    used = end - complete;
    std::memmove(data, data + complete, used);
  }
}

ScanResult ScanMemoBuffer(const char* data, size_t len, const KeywordMatcher& matcher, const volatile int* stopFlag) {
  if (StopRequested(stopFlag)) return ScanResult::Stopped;
  return ScanLines(data, len, matcher, stopFlag);
}
