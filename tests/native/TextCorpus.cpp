#include "TextCorpus.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <zlib.h>

#include "core/Utf8.h"

bool ReadText(const std::string& path, std::string& out) {
  out.clear();
  if (path.size() < 3 || path.compare(path.size() - 3, 3, ".gz") != 0) {
    std::ifstream file(path, std::ios::binary);
    out.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad() && file.is_open();
  }
  gzFile file = gzopen(path.c_str(), "rb");
  if (!file) return false;
  char buffer[64 * 1024];
  int got;
  while ((got = gzread(file, buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<size_t>(got));
  gzclose(file);
  return got == 0;
}

std::vector<std::string> FilesUnder(const std::string& root, const std::string& suffix) {
  std::vector<std::string> paths;
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
    const std::string path = it->path().string();
    bool named = path.size() >= suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
    if (named && !it->is_symlink() && it->is_regular_file()) paths.push_back(path);
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool IsAscii(const std::string& text) {
  return std::none_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool HasWideChar(const std::string& utf8) {
  return std::any_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xE0; });
}

std::vector<std::string> CatalogueMessages(const std::string& mo) {
  std::vector<std::string> messages;
  auto word = [&](size_t at, bool swap) {
    uint32_t value = 0;
    if (at + 4 <= mo.size()) std::memcpy(&value, mo.data() + at, 4);
    return swap ? __builtin_bswap32(value) : value;
  };
  bool swap = word(0, false) == 0xDE120495;
  if (!swap && word(0, false) != 0x950412DE) return messages;
  uint32_t count = word(8, swap), originals = word(12, swap), translations = word(16, swap);
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t len = word(translations + 8 * i, swap), at = word(translations + 8 * i + 4, swap);
    // The header is the translation of the empty message.
    if (word(originals + 8 * i, swap) == 0 || at > mo.size() || len > mo.size() - at) continue;
    for (size_t start = at; start <= at + len;) {
      size_t end = std::min<size_t>(mo.find('\0', start), at + len);
      if (end > start) messages.push_back(mo.substr(start, end - start));
      start = end + 1;
    }
  }
  return messages;
}

std::string HalfWidthKatakana(const std::string& utf8) {
  // In the order of their half-width forms, U+FF61 on.
  static const std::u32string plain =
      U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン";
  static const std::u32string voiced = U"ガギグゲゴザジズゼゾダヂヅデドバビブベボ", semiVoiced = U"パピプペポ";
  std::string out;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  for (size_t i = 0; i < utf8.size();) {
    char32_t c;
    i += DecodeUtf8Char(bytes + i, utf8.size() - i, c);
    if (c == NotAChar) continue;
    // A voiced katakana comes right after its plain one, a semi-voiced one
    // two places after.
    char32_t base = c, mark = 0;
    if (voiced.find(c) != std::u32string::npos) {
      base = c - 1;
      mark = U'ﾞ';
    } else if (semiVoiced.find(c) != std::u32string::npos) {
      base = c - 2;
      mark = U'ﾟ';
    } else if (c == U'ヴ') {
      base = U'ウ';
      mark = U'ﾞ';
    }
    size_t at = plain.find(base);
    if (c == U'゛' || c == U'゜') {
      AppendUtf8(c == U'゛' ? U'ﾞ' : U'ﾟ', out);
    } else {
      AppendUtf8(at == std::u32string::npos ? c : 0xFF61 + static_cast<char32_t>(at), out);
    }
    if (mark != 0) AppendUtf8(mark, out);
  }
  return out;
}
