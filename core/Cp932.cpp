#include "core/Cp932.h"

#include "core/ByteSearch.h"
#include "core/CharStart.h"

const char* Cp932Find(const char* text, size_t textLen, const char* word, size_t wordLen) {
  if (wordLen == 0) return text;
  CharStartTracker chars(text);
  for (size_t from = 0;;) {
    size_t at = FindBytes(text, textLen, from, word, wordLen);
    if (at == NotFound) return nullptr;
    if (chars.IsCharStart(at)) return text + at;
    from = at + 1;
  }
}
