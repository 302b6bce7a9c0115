#pragma once
// Decides whether a memo file has a line matching a keyword, reading it the
// way a C runtime text-mode line reader would: CR LF or LF ends a line, a lone
// CR stays in its line, Ctrl-Z ends the file, a NUL hides the rest of its line,
// empty lines are skipped. The stop flag (may be null) is read afresh before
// every line examined; once it is non-zero the scan ends with Stopped.
//
// Each memo is searched in the encoding it opens in (see MemoEncoding.h):
// the keyword's words in CP932 for a CP932 memo, in UTF-8 for a UTF-8 or
// UTF-16 memo, whose text is searched in UTF-8 and may hold either form of
// the characters listed in Utf8Word.h.
#include <cstddef>
#include <string>
#include <vector>

#include "core/KeywordMatch.h"
#include "core/ScanResult.h"

class MemoReadings;

struct BlockReader {
  virtual ~BlockReader();
  // Fills buf with up to cap bytes of the file; 0 means the end.
  virtual size_t Read(char* buf, size_t cap) = 0;
};

// Scans memos read block by block. Keep one scanner for a whole folder: its
// buffer, which grows to hold the longest line met, is reused from memo to memo.
class MemoScanner {
public:
  MemoScanner(const KeywordMatcher& matcher, const volatile int* stopFlag);

  // Reads no further than the block holding the first matching line, but
  // for a memo without a byte order mark that may be UTF-8: only its end
  // tells.
  ScanResult Scan(BlockReader& reader);

private:
  // got: bytes of text already read into the buffer.
  ScanResult ScanText(BlockReader& reader, size_t got, bool utf8);
  // The text ends before buffer[textEnd]; the file may go on.
  ScanResult ScanUpTo(BlockReader& reader, MemoReadings& readings, size_t textEnd);
  // Reads on past the end of the memo's text, feeding readings, while the
  // rest of the file matters: until the encoding is known when untilKnown,
  // else while RestDecides(). The first keep bytes of the buffer stay.
  // False when stopped.
  bool ReadRest(BlockReader& reader, MemoReadings& readings, size_t keep, bool untilKnown);

  const KeywordMatcher& matcher;
  const volatile int* stopFlag;
  std::vector<char> buffer;
  std::vector<char> utf16Buffer;
};

// A whole memo's text as the line scan reads it: past any byte order mark,
// and searched with the words of the encoding the memo opens in. UTF-16 is
// read as UTF-8.
struct ScanView {
  const char* data;
  size_t len;
  bool utf8;
};

// The view of a memo's bytes; a UTF-16 memo's converted text goes into
// holder, which the view then points into.
ScanView ScanViewOf(const char* data, size_t len, std::string& holder);
ScanResult ScanMemoView(const ScanView& view, const KeywordMatcher& matcher, const volatile int* stopFlag);

// Both in one, for a memo already in memory.
ScanResult ScanMemoBuffer(const char* data, size_t len, const KeywordMatcher& matcher, const volatile int* stopFlag);
