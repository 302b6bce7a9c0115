#pragma once
// The host's search keyword rule. A keyword is cut at single-byte spaces
// into words, and a line matches when any word occurs in it:
//   "foo bar"  -> foo, bar
//   "foo  bar" -> foo, " bar"   (a space first in what is left stops cutting)
//   " foo"     -> " foo"
//   "foo "     -> foo, ""      (the empty word matches every line)
// The full-width space is not a separator.
#include <cstddef>
#include <string>
#include <vector>

class KeywordMatcher {
public:
  explicit KeywordMatcher(const char* keyword);

  bool LineMatches(const char* line, size_t len) const;

  const std::vector<std::string>& Words() const { return words; }

  // True when every word can be hunted over whole blocks of a memo:
  // non-empty and free of the bytes that end or cut lines (CR, LF, Ctrl-Z).
  bool SearchesWholeBlocks() const { return wholeBlocks; }

private:
  std::vector<std::string> words;
  bool wholeBlocks = true;
};
