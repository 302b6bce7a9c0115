#pragma once
// Memo files in the encodings with a byte order mark.
#include <string>

inline std::string WithUtf8Bom(const std::string& utf8) { return "\xEF\xBB\xBF" + utf8; }

inline std::string Utf16File(const std::u16string& text, bool bigEndian) {
  std::string file = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) {
    char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit);
    file += bigEndian ? high : low;
    file += bigEndian ? low : high;
  }
  return file;
}
