#include "MemoPaneText.h"

#include <cstring>

namespace {
// The line reader's buffer: each piece holds at most one byte less.
const size_t pieceBufferSize = 200000;
}  // namespace

MemoPaneText PaneTextFromFile(const char* bytes, size_t length, size_t paneLimit) {
  MemoPaneText pane;
  // Whole pieces go in until the text passes the limit, since it is cut there.
  for (size_t start = 0; start < length && pane.text.size() <= paneLimit;) {
    const char* piece = bytes + start;
    size_t room = length - start < pieceBufferSize - 1 ? length - start : pieceBufferSize - 1;
    const char* lineFeed = static_cast<const char*>(std::memchr(piece, '\n', room));
    size_t pieceLength = lineFeed ? static_cast<size_t>(lineFeed - piece) + 1 : room;
    const char* nul = static_cast<const char*>(std::memchr(piece, '\0', pieceLength));
    size_t visible = nul ? static_cast<size_t>(nul - piece) : pieceLength;
    if (nul) pane.loss = PaneLoss::Nul;
    pane.text.append(piece, visible);
    start += pieceLength;
  }
  if (pane.text.size() > paneLimit) {
    pane.text.resize(paneLimit);
    pane.loss = PaneLoss::Cut;
  }
  return pane;
}
