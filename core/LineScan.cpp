#include "core/LineScan.h"

#include <algorithm>

#include "core/ByteSearch.h"
#include "core/CharStart.h"

namespace {

const unsigned char CtrlZ = 0x1A;

// Tells whether a NUL stands between the start of a position's line and that
// position, for positions asked in nondecreasing order, never walking back
// past its last answer.
class NulTracker {
public:
  explicit NulTracker(const char* scanned) : data(scanned) {}

  bool Hides(size_t pos) {
    bool hidden = knownHidden;
    for (size_t i = pos; i > known; --i) {
      char c = data[i - 1];
      if (c == '\n' || c == '\0') {
        hidden = c == '\0';
        break;
      }
    }
    known = pos;
    knownHidden = hidden;
    return hidden;
  }

private:
  const char* data;
  size_t known = 0;
  bool knownHidden = false;
};

// Tells whether the memo's text ended, at a Ctrl-Z, before a position. It
// looks for the Ctrl-Z only as far as the positions asked, so a memo without
// a candidate is never swept for one.
class CtrlZTracker {
public:
  explicit CtrlZTracker(const char* scanned) : data(scanned) {}

  bool EndsBefore(size_t pos) {
    if (ctrlZ == NotFound && pos > checked) {
      ctrlZ = FindByte(data, pos, checked, CtrlZ);
      checked = pos;
    }
    return ctrlZ < pos;
  }

private:
  const char* data;
  size_t checked = 0;
  size_t ctrlZ = NotFound;
};

// Every word is free of CR, LF and Ctrl-Z, so a copy of one (in UTF-8, with
// either form of a character that has two) never spans a line end, and it lies in the visible part of its line unless a NUL
// in its line or a Ctrl-Z anywhere comes before it. LF and CR cannot be
// second bytes, so a line start is a character start of the whole block too:
// one boundary walk serves all lines. In UTF-8 a copy of whole characters
// always starts on one.
ScanResult ScanByCandidates(const char* data, size_t len, const KeywordWords& words, const volatile int* stopFlag) {
  CtrlZTracker ctrlZ(data);
  for (size_t word = 0; word < words.Words().size(); ++word) {
    CharStartTracker chars(data);
    NulTracker nul(data);
    for (size_t from = 0;;) {
      size_t at = words.FindCandidate(word, data, len, from);
      if (at == NotFound || ctrlZ.EndsBefore(at)) break;
      if (StopRequested(stopFlag)) return ScanResult::Stopped;
      if ((words.IsUtf8() || chars.IsCharStart(at)) && !nul.Hides(at)) return ScanResult::Match;
      from = at + 1;
    }
  }
  return ScanResult::NoMatch;
}

ScanResult ScanLineByLine(const char* data, size_t len, const KeywordWords& words, const volatile int* stopFlag) {
  len = std::min(len, FindByte(data, len, 0, CtrlZ));
  for (size_t start = 0; start < len;) {
    size_t lf = FindByte(data, len, start, '\n');
    size_t end = lf == NotFound ? len : lf;
    size_t next = lf == NotFound ? len : lf + 1;
    if (lf != NotFound && end > start && data[end - 1] == '\r') --end;
    size_t nul = FindByte(data, end, start, '\0');
    if (nul != NotFound) end = nul;
    if (end > start) {
      if (StopRequested(stopFlag)) return ScanResult::Stopped;
      if (words.LineMatches(data + start, end - start)) return ScanResult::Match;
    }
    start = next;
  }
  return ScanResult::NoMatch;
}

}  // namespace

ScanResult ScanLines(const char* data, size_t len, const KeywordWords& words, const volatile int* stopFlag) {
  if (words.SearchesWholeBlocks()) return ScanByCandidates(data, len, words, stopFlag);
  return ScanLineByLine(data, len, words, stopFlag);
}
