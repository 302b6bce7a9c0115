#include "core/Utf8Word.h"

#include <algorithm>
#include <cstring>

#include "core/ByteSearch.h"
#include "core/Utf8.h"

namespace {

struct TwoForms {
  char32_t windows;
  char32_t other;
};

const TwoForms FormPairs[] = {
    {0xFF5E, 0x301C}, {0xFF0D, 0x2212}, {0x2225, 0x2016}, {0x2015, 0x2014}, {0xFFE0, 0x00A2}, {0xFFE1, 0x00A3}, {0xFFE2, 0x00AC},
};

char32_t OtherForm(char32_t c) {
  for (const TwoForms& pair : FormPairs) {
    if (pair.windows == c) return pair.other;
  }
  return 0;
}

bool HasAt(const char* text, size_t len, size_t at, const std::string& form) {
  return len - at >= form.size() && std::memcmp(text + at, form.data(), form.size()) == 0;
}

}  // namespace

Utf8Word::Utf8Word(const std::string& utf8) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  for (size_t i = 0; i < utf8.size();) {
    char32_t c;
    size_t charLen = DecodeUtf8Char(bytes + i, utf8.size() - i, c);
    char32_t other = c == NotAChar ? 0 : OtherForm(c);
    if (other != 0) {
      pieces.push_back({utf8.substr(i, charLen), ""});
      AppendUtf8(other, pieces.back().otherForm);
    } else if (pieces.empty() || !pieces.back().otherForm.empty()) {
      pieces.push_back({utf8.substr(i, charLen), ""});
    } else {
      pieces.back().form.append(utf8, i, charLen);
    }
    i += charLen;
  }
}

bool Utf8Word::MatchesFrom(const char* text, size_t len, size_t at, size_t piece) const {
  for (; piece < pieces.size(); ++piece) {
    const Piece& p = pieces[piece];
    if (HasAt(text, len, at, p.form)) {
      at += p.form.size();
    } else if (!p.otherForm.empty() && HasAt(text, len, at, p.otherForm)) {
      at += p.otherForm.size();
    } else {
      return false;
    }
  }
  return true;
}

size_t Utf8Word::FindEitherForm(const char* text, size_t len, size_t from) const {
  const Piece& first = pieces[0];
  size_t windows = FindBytes(text, len, from, first.form.data(), first.form.size());
  size_t other = FindBytes(text, len, from, first.otherForm.data(), first.otherForm.size());
  while (windows != NotFound || other != NotFound) {
    size_t at = std::min(windows, other);
    size_t formLen = at == windows ? first.form.size() : first.otherForm.size();
    if (MatchesFrom(text, len, at + formLen, 1)) return at;
    // Only the form found at this place moves on.
    if (at == windows) windows = FindBytes(text, len, at + 1, first.form.data(), first.form.size());
    if (at == other) other = FindBytes(text, len, at + 1, first.otherForm.data(), first.otherForm.size());
  }
  return NotFound;
}

size_t Utf8Word::FindBeforeText(const char* text, size_t len, size_t from) const {
  const Piece &first = pieces[0], &anchor = pieces[1];
  for (size_t at = from + std::min(first.form.size(), first.otherForm.size());; ++at) {
    at = FindBytes(text, len, at, anchor.form.data(), anchor.form.size());
    if (at == NotFound) return NotFound;
    for (const std::string* form : {&first.form, &first.otherForm}) {
      size_t start = at - form->size();
      if (at >= from + form->size() && HasAt(text, len, start, *form) && MatchesFrom(text, len, at + anchor.form.size(), 2)) return start;
    }
  }
}

size_t Utf8Word::Find(const char* text, size_t len, size_t from) const {
  const Piece& first = pieces[0];
  if (!first.otherForm.empty()) {
    bool textNext = pieces.size() > 1 && pieces[1].otherForm.empty();
    return textNext ? FindBeforeText(text, len, from) : FindEitherForm(text, len, from);
  }
  for (;;) {
    size_t at = FindBytes(text, len, from, first.form.data(), first.form.size());
    if (at == NotFound || pieces.size() == 1 || MatchesFrom(text, len, at + first.form.size(), 1)) return at;
    from = at + 1;
  }
}
