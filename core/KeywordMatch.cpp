#include "core/KeywordMatch.h"

#include <cstring>

#include "core/ByteSearch.h"
#include "core/Cp932.h"
#include "core/Cp932Unicode.h"
#include "core/Utf8.h"

namespace {

std::vector<std::string> CutIntoWords(const char* keyword) {
  std::vector<std::string> words;
  const char* rest = keyword ? keyword : "";
  for (const char* space = std::strchr(rest, ' '); space && space != rest; space = std::strchr(rest, ' ')) {
    words.emplace_back(rest, space);
    rest = space + 1;
  }
  words.emplace_back(rest);
  return words;
}

// False when the word holds bytes that are no CP932 character.
bool Cp932ToUtf8(const std::string& word, std::string& utf8) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(word.data());
  for (size_t i = 0; i < word.size();) {
    char32_t c;
    size_t charLen = DecodeCp932Char(bytes + i, word.size() - i, c);
    if (charLen == 0) return false;
    AppendUtf8(c, utf8);
    i += charLen;
  }
  return true;
}

std::vector<std::string> InUtf8(const std::vector<std::string>& cp932Words) {
  std::vector<std::string> words;
  for (const std::string& word : cp932Words) {
    std::string utf8;
    if (Cp932ToUtf8(word, utf8)) words.push_back(utf8);
  }
  return words;
}

}  // namespace

KeywordWords::KeywordWords(std::vector<std::string> split, bool inUtf8) : words(std::move(split)), utf8(inUtf8) {
  for (const std::string& word : this->words) {
    if (word.empty() || word.find_first_of("\r\n\x1A") != std::string::npos) wholeBlocks = false;
    if (utf8) utf8Words.emplace_back(word);
  }
}

size_t KeywordWords::FindCandidate(size_t word, const char* text, size_t len, size_t from) const {
  if (utf8) return utf8Words[word].Find(text, len, from);
  return FindBytes(text, len, from, words[word].data(), words[word].size());
}

bool KeywordWords::LineMatches(const char* line, size_t len) const {
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.empty()) return true;
    bool found = utf8 ? utf8Words[i].Find(line, len, 0) != NotFound : Cp932Find(line, len, word.data(), word.size()) != nullptr;
    if (found) return true;
  }
  return false;
}

KeywordMatcher::KeywordMatcher(const char* keyword) : cp932(CutIntoWords(keyword), false), utf8(InUtf8(cp932.Words()), true) {}
