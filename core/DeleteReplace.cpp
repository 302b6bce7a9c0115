#include "DeleteReplace.h"

#include "ByteSearch.h"
#include "CharStart.h"

size_t DeleteOrReplace(const char* text, size_t len, const char* search, size_t searchLen, const char* replacement, size_t replacementLen,
                       bool replace, std::string& out) {
  out.clear();
  out.reserve(len);
  size_t count = 0;
  size_t copied = 0;
  if (searchLen > 0) {
    CharStartTracker chars(text);
    for (size_t from = 0;;) {
      size_t at = FindBytes(text, len, from, search, searchLen);
      if (at == NotFound) break;
      from = at + 1;
      if (!chars.IsCharStart(at)) continue;
      out.append(text + copied, at - copied);
      if (replace) out.append(replacement, replacementLen);
      ++count;
      from = copied = at + searchLen;
      chars.RestartAt(from);
    }
  }
  out.append(text + copied, len - copied);
  return count;
}
