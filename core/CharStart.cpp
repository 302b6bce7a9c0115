#include "core/CharStart.h"

#include "core/Cp932.h"

CharStartTracker::CharStartTracker(const char* scanned) : text(reinterpret_cast<const unsigned char*>(scanned)) {}

bool CharStartTracker::IsCharStart(size_t pos) {
  // A byte outside the lead range always ends a character, so only the run
  // of lead-range bytes right before pos decides. Every lead-range byte is
  // also a valid trail byte, so that run pairs up from its first byte.
  size_t runStart = pos;
  while (runStart > knownStart && IsLeadByte(text[runStart - 1])) --runStart;
  bool evenRun = (pos - runStart) % 2 == 0;
  // With an odd run the last lead byte takes pos along only when pos can
  // be a second byte; otherwise that lead byte stands alone.
  bool start = evenRun || !IsTrailByte(text[pos]);
  knownStart = start ? pos : pos - 1;
  return start;
}
