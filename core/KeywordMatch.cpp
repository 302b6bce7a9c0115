#include "KeywordMatch.h"

#include <cstring>

#include "Cp932.h"

KeywordMatcher::KeywordMatcher(const char* keyword) {
  const char* rest = keyword ? keyword : "";
  for (const char* space = std::strchr(rest, ' '); space && space != rest; space = std::strchr(rest, ' ')) {
    words.emplace_back(rest, space);
    rest = space + 1;
  }
  words.emplace_back(rest);
  for (const std::string& word : words) {
    if (word.empty() || word.find_first_of("\r\n\x1A") != std::string::npos) wholeBlocks = false;
  }
}

bool KeywordMatcher::LineMatches(const char* line, size_t len) const {
  for (const std::string& word : words) {
    if (Cp932Find(line, len, word.data(), word.size())) return true;
  }
  return false;
}
