#pragma once
#include <cstddef>

// Tells whether a position of a CP932 text starts a character, for positions
// asked in nondecreasing order. It never walks back past its last answer, so
// a whole pass over the text stays linear however many candidates it checks.
class CharStartTracker {
public:
  // text[0] starts a character.
  explicit CharStartTracker(const char* text);

  // pos must lie inside the text.
  bool IsCharStart(size_t pos);

  // A walk that resumes at pos after a match treats pos as a character
  // start, whatever the bytes before it say. pos must not precede the last
  // position asked.
  void RestartAt(size_t pos) { knownStart = pos; }

private:
  const unsigned char* text;
  size_t knownStart = 0;
};
