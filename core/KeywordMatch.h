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

#include "core/Utf8Word.h"

// A keyword's words as they stand in memo text of one encoding.
class KeywordWords {
public:
  // utf8: the words and the text are UTF-8, where every occurrence of a
  // whole character starts on a character, and the characters of Utf8Word.h
  // match either of their forms; otherwise CP932, where an occurrence counts
  // only when it starts on one.
  KeywordWords(std::vector<std::string> words, bool utf8);

  bool LineMatches(const char* line, size_t len) const;

  const std::vector<std::string>& Words() const { return words; }
  bool IsUtf8() const { return utf8; }

  // Where the first candidate for words()[word] (not empty) starts in
  // text[from, len), or NotFound: in CP932, a copy of its bytes, which may
  // start inside a character.
  size_t FindCandidate(size_t word, const char* text, size_t len, size_t from) const;

  // True when every word can be hunted over whole blocks of a memo:
  // non-empty and free of the bytes that end or cut lines (CR, LF, Ctrl-Z).
  bool SearchesWholeBlocks() const { return wholeBlocks; }

private:
  std::vector<std::string> words;
  std::vector<Utf8Word> utf8Words;  // for UTF-8 text, one for each word
  bool utf8;
  bool wholeBlocks = true;
};

class KeywordMatcher {
public:
  explicit KeywordMatcher(const char* keyword);

  // For CP932 memos.
  bool LineMatches(const char* line, size_t len) const { return cp932.LineMatches(line, len); }
  const std::vector<std::string>& Words() const { return cp932.Words(); }
  bool SearchesWholeBlocks() const { return cp932.SearchesWholeBlocks(); }

  const KeywordWords& Cp932Words() const { return cp932; }
  // For UTF-8 and UTF-16 memos: the words in UTF-8, leaving out those with
  // bytes that are no CP932 character, which occur in no such memo.
  const KeywordWords& Utf8Words() const { return utf8; }

private:
  KeywordWords cp932;
  KeywordWords utf8;
};
