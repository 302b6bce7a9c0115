#include "core/TextFind.h"

#include "core/Utf16.h"

namespace {

// Lowercase for the scripts that have case. A case-blind find that knew
// only ASCII would miss Ä, Ω, Ж and the full-width Ａ.
char16_t Folded(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
      (c >= 0x410 && c <= 0x42F) || (c >= 0xFF21 && c <= 0xFF3A))
    return static_cast<char16_t>(c + 0x20);
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
  if (c == 0x178) return 0xFF;
  // Latin Extended-A pairs its capitals and small letters side by side,
  // capital first, except for the run 0x139-0x148 and 0x179-0x17E, which
  // start on an odd code point.
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
    const bool oddRun = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((c % 2 == 0) != oddRun) return static_cast<char16_t>(c + 1);
  }
  return c;
}

bool IsWordUnit(char16_t c) {
  if (c < 0x80) return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
  // Spaces and punctuation of the general, CJK and full-width blocks part words; other letters join them.
  return !(c <= 0xBF || (c >= 0x2000 && c <= 0x206F) || (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF01 && c <= 0xFF0F) ||
           (c >= 0xFF1A && c <= 0xFF20) || (c >= 0xFF3B && c <= 0xFF40) || (c >= 0xFF5B && c <= 0xFF65));
}

bool MatchesAt(const std::u16string& text, size_t at, const std::u16string& what, const FindOptions& options) {
  if (at > 0 && IsLowSurrogate(text[at]) && IsHighSurrogate(text[at - 1])) return false;
  for (size_t i = 0; i < what.size(); ++i) {
    char16_t a = text[at + i], b = what[i];
    if (a != b && (options.matchCase || Folded(a) != Folded(b))) return false;
  }
  if (!options.wholeWord) return true;
  const size_t end = at + what.size();
  return (at == 0 || !IsWordUnit(text[at - 1])) && (end == text.size() || !IsWordUnit(text[end]));
}

}  // namespace

int FindInText(const std::u16string& text, int from, const std::u16string& what, const FindOptions& options) {
  if (what.empty() || from < 0 || static_cast<size_t>(from) > text.size() || what.size() > text.size()) return -1;
  const size_t last = text.size() - what.size();
  if (options.down) {
    for (size_t at = static_cast<size_t>(from); at <= last; ++at)
      if (MatchesAt(text, at, what, options)) return static_cast<int>(at);
    return -1;
  }
  if (static_cast<size_t>(from) < what.size()) return -1;
  for (size_t at = static_cast<size_t>(from) - what.size() + 1; at-- > 0;)
    if (at <= last && MatchesAt(text, at, what, options)) return static_cast<int>(at);
  return -1;
}
