// Find in a memo's text, as the find dialog asks: down or up from a
// position, in the term's case or blind to it, anywhere or as a whole word.
#pragma once
#include <string>

struct FindOptions {
  bool down;       // at or after from; else ending at or before it
  bool matchCase;  // else letters of Latin, Greek and Cyrillic script, and full-width ones, match in either case
  bool wholeWord;  // no letter, digit or underscore right before or after
};

// Where what first occurs in text, on a character start; -1 when nowhere.
int FindInText(const std::u16string& text, int from, const std::u16string& what, const FindOptions& options);
