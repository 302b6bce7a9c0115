#include "core/DeleteReplace.h"

namespace {

bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

size_t DeleteOrReplace(const std::u16string& text, const std::u16string& search, const std::u16string& replacement, bool replace,
                       std::u16string& out) {
  out.clear();
  out.reserve(text.size());
  size_t count = 0;
  size_t copied = 0;
  if (!search.empty()) {
    for (size_t at = text.find(search); at != std::u16string::npos; at = text.find(search, at + 1)) {
      // Right after an occurrence, the walk starts a character wherever it is.
      if (at > copied && IsLow(text[at]) && IsHigh(text[at - 1])) continue;
      out.append(text, copied, at - copied);
      if (replace) out += replacement;
      ++count;
      copied = at + search.size();
      at = copied - 1;
    }
  }
  out.append(text, copied, std::u16string::npos);
  return count;
}
