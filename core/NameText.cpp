#include "core/NameText.h"

#include "core/Cp932Unicode.h"
#include "core/Utf16.h"
#include "core/Utf8.h"

namespace {
const char32_t replacement = 0xFFFD;

// Calls take with each character of the UTF-8 text, U+FFFD for what is none.
template <typename Take>
void ForEachChar(const std::string& text, Take take) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (size_t at = 0; at < text.size();) {
    char32_t c;
    at += DecodeUtf8Char(bytes + at, text.size() - at, c);
    take(c == NotAChar ? replacement : c);
  }
}
}  // namespace

std::u16string Utf16FromUtf8(const std::string& text) {
  std::u16string wide;
  wide.reserve(text.size());
  ForEachChar(text, [&](char32_t c) {
    if (c < 0x10000) {
      wide.push_back(static_cast<char16_t>(c));
    } else {
      wide.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      wide.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
  });
  return wide;
}

size_t Utf16Units(const char* text) {
  size_t units = 0;
  ForEachChar(text, [&](char32_t c) { units += c < 0x10000 ? 1 : 2; });
  return units;
}

std::string Utf8FromUtf16(const char16_t* text, size_t length) {
  std::string out;
  out.reserve(length);
  for (size_t i = 0; i < length; ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < length && IsLowSurrogate(text[i + 1]))
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]))
      c = replacement;
    AppendUtf8(c, out);
  }
  return out;
}

std::string Utf8FromCp932(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (size_t at = 0; at < text.size();) {
    char32_t c;
    size_t taken = DecodeCp932Char(bytes + at, text.size() - at, c);
    AppendUtf8(taken ? c : replacement, out);
    at += taken ? taken : 1;
  }
  return out;
}

bool Cp932FromUtf8(const std::string& text, std::string& out) {
  std::string narrow;
  narrow.reserve(text.size());
  bool whole = true;
  ForEachChar(text, [&](char32_t c) {
    char form[2];
    size_t length = c == replacement ? 0 : EncodeCp932Char(c, form);
    whole = whole && length > 0;
    narrow.append(form, length);
  });
  if (whole) out = narrow;
  return whole;
}
