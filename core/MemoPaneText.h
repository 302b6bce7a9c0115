#pragma once
// What the text pane shows of a memo file's bytes. The pane takes its text as
// a line reader with a 200,000-byte buffer hands it over: pieces end after a
// line feed or when the buffer is full, and each piece is taken as a
// zero-terminated string, so a NUL byte hides the rest of its piece. Text
// beyond the pane's limit is cut.
#include <cstddef>
#include <string>

// Why the pane cannot hold a memo file whole. Writing such a pane back would
// drop the bytes it does not show.
enum class PaneLoss {
  None,
  Cut,  // the text is longer than the pane's limit
  Nul,  // a NUL byte hid part of a piece
};

struct MemoPaneText {
  std::string text;  // at most paneLimit bytes
  PaneLoss loss = PaneLoss::None;
};

const size_t TextPaneLimit = 200000;

MemoPaneText PaneTextFromFile(const char* bytes, size_t length, size_t paneLimit = TextPaneLimit);
