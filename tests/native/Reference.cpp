#include "Reference.h"

#include <vector>

#include "Cp932.h"

using namespace std::string_literals;

size_t RefCharLen(const std::string& text, size_t i) {
  bool pair =
      i + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[i])) && IsTrailByte(static_cast<unsigned char>(text[i + 1]));
  return pair ? 2 : 1;
}

size_t RefFind(const std::string& text, const std::string& word) {
  for (size_t i = 0; i + word.size() <= text.size(); i += RefCharLen(text, i)) {
    if (text.compare(i, word.size(), word) == 0) return i;
  }
  return std::string::npos;
}

size_t RefDeleteOrReplace(const std::string& text, const std::string& search, const std::string& replacement, bool replace,
                          std::string& out) {
  out.clear();
  size_t count = 0;
  for (size_t i = 0; i < text.size();) {
    if (!search.empty() && text.compare(i, search.size(), search) == 0) {
      out += replace ? replacement : "";
      ++count;
      i += search.size();
    } else {
      size_t len = RefCharLen(text, i);
      out.append(text, i, len);
      i += len;
    }
  }
  return count;
}

bool RefLineMatches(const std::string& line, std::string keyword) {
  for (;;) {
    size_t space = keyword.find(' ');
    if (space == std::string::npos || space == 0) return RefFind(line, keyword) != std::string::npos;
    if (RefFind(line, keyword.substr(0, space)) != std::string::npos) return true;
    keyword.erase(0, space + 1);
  }
}

bool RefScan(const std::string& file, const std::string& keyword) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < file.size() && file[i] != '\x1A'; ++i) {
    if (file.compare(i, 2, "\r\n") == 0) continue;
    if (file[i] == '\n')
      lines.emplace_back();
    else
      lines.back() += file[i];
  }
  for (const std::string& line : lines) {
    std::string visible = line.substr(0, line.find('\0'));
    if (!visible.empty() && RefLineMatches(visible, keyword)) return true;
  }
  return false;
}

std::string RandomCp932(std::mt19937& rng, size_t pieces, bool lineBytes) {
  static const std::string text[] = {"a",        "b",        " ",        "\\",       "|",        "@",        "A",        "ab",
                                     "\x83\x5C", "\x95\x5C", "\x83\x7C", "\x83\x40", "\x83\x41", "\x82\xA0", "\x81\x40", "\x83",
                                     "\x95",     "\xE0",     "\xFC",     "\x80",     "\xA0",     "\xFD"};
  static const std::string lineEnds[] = {"\r\n", "\n", "\r", "\0"s};
  std::string out;
  for (size_t i = 0; i < pieces; ++i) {
    unsigned roll = rng() % 100;
    if (lineBytes && roll == 0)
      out += '\x1A';
    else if (lineBytes && roll < 12)
      out += lineEnds[roll % 4];
    else
      out += text[rng() % (sizeof text / sizeof text[0])];
  }
  return out;
}
