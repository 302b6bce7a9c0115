#include "Reference.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/Cp932.h"
#include "core/Cp932Unicode.h"
#include "core/MemoEncoding.h"
#include "core/Utf8WordEvidence.h"

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

size_t RefDeleteOrReplace(const std::u16string& text, const std::u16string& search, const std::u16string& replacement, bool replace,
                          std::u16string& out) {
  auto isHigh = [](char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
  auto isLow = [](char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
  out.clear();
  size_t count = 0;
  for (size_t i = 0; i < text.size();) {
    if (!search.empty() && text.compare(i, search.size(), search) == 0) {
      if (replace) out += replacement;
      ++count;
      i += search.size();
    } else {
      size_t len = isHigh(text[i]) && i + 1 < text.size() && isLow(text[i + 1]) ? 2 : 1;
      out.append(text, i, len);
      i += len;
    }
  }
  return count;
}

// The host's rule: cut at single-byte spaces, but a space first in what is
// left stops the cutting.
static std::vector<std::string> RefWords(std::string keyword) {
  std::vector<std::string> words;
  for (size_t space = keyword.find(' '); space != std::string::npos && space != 0; space = keyword.find(' ')) {
    words.push_back(keyword.substr(0, space));
    keyword.erase(0, space + 1);
  }
  words.push_back(keyword);
  return words;
}

bool RefLineMatches(const std::string& line, std::string keyword) {
  for (const std::string& word : RefWords(keyword))
    if (RefFind(line, word) != std::string::npos) return true;
  return false;
}

// Whether a line of the text matches, reading it as a C runtime text-mode
// line reader does: CR LF and LF end lines, Ctrl-Z ends the text, a NUL hides
// the rest of its line, empty lines are skipped.
template <typename Text, typename LineMatches>
static bool AnyLineMatches(const Text& file, LineMatches lineMatches) {
  std::vector<Text> lines(1);
  for (size_t i = 0; i < file.size() && file[i] != 0x1A; ++i) {
    if (file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n') continue;
    if (file[i] == '\n')
      lines.emplace_back();
    else
      lines.back() += file[i];
  }
  for (const Text& line : lines) {
    Text visible = line.substr(0, line.find(typename Text::value_type(0)));
    if (!visible.empty() && lineMatches(visible)) return true;
  }
  return false;
}

bool RefScan(const std::string& file, const std::string& keyword) {
  std::vector<std::string> words = RefWords(keyword);
  return AnyLineMatches(file, [&](const std::string& line) {
    for (const std::string& word : words) {
      if (RefFind(line, word) != std::string::npos) return true;
    }
    return false;
  });
}

static std::u32string RefUtf8(const std::string& bytes) {
  static const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  std::u32string text;
  for (size_t i = 0; i < bytes.size();) {
    unsigned char b = bytes[i];
    size_t len = b < 0x80 ? 1 : b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
    char32_t c = len == 1 ? b : b & (0x7F >> len);
    bool ok = len > 0 && i + len <= bytes.size();
    for (size_t k = 1; ok && k < len; ++k) {
      ok = (bytes[i + k] & 0xC0) == 0x80;
      c = c << 6 | (bytes[i + k] & 0x3F);
    }
    ok = ok && c >= least[len] && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    text += ok ? c : 0xFFFD;
    i += ok ? len : 1;
  }
  return text;
}

static std::u32string RefUtf16(const std::string& bytes, bool bigEndian) {
  std::vector<char32_t> units;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unsigned char first = bytes[i], second = bytes[i + 1];
    units.push_back(bigEndian ? first << 8 | second : second << 8 | first);
  }
  std::u32string text;
  for (size_t i = 0; i < units.size(); ++i) {
    bool high = units[i] >= 0xD800 && units[i] <= 0xDBFF;
    bool pair = high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
    if (pair) {
      text += 0x10000 + ((units[i] - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    } else {
      text += units[i] >= 0xD800 && units[i] <= 0xDFFF ? 0xFFFD : units[i];
    }
  }
  if (bytes.size() % 2) text += 0xFFFD;
  return text;
}

// False when the word holds bytes that are no CP932 character.
static bool RefCp932ToUnicode(const std::string& word, std::u32string& text) {
  for (size_t i = 0; i < word.size(); i += RefCharLen(word, i)) {
    char32_t c = 0;
    if (DecodeCp932Char(reinterpret_cast<const unsigned char*>(word.data()) + i, word.size() - i, c) != RefCharLen(word, i)) return false;
    text += c;
  }
  return true;
}

// Seven CP932 characters decode to the forms Windows gives them, and in
// UTF-8 and UTF-16 memos also find the forms that other systems write.
static char32_t RefWindowsForm(char32_t c) {
  switch (c) {
    case U'\u301C':  // 〜
      return U'\uFF5E';
    case U'\u2212':  // −
      return U'\uFF0D';
    case U'\u2016':  // ‖
      return U'\u2225';
    case U'\u2014':  // ―
      return U'\u2015';
    case U'\u00A2':  // ¢
      return U'\uFFE0';
    case U'\u00A3':  // £
      return U'\uFFE1';
    case U'\u00AC':  // ¬
      return U'\uFFE2';
    default:
      return c;
  }
}

bool RefScanMemo(const std::string& file, const std::string& keyword) {
  MemoEncoding encoding = DetectMemoEncoding(file.data(), file.size());
  if (encoding == MemoEncoding::Cp932) return RefScan(file, keyword);
  std::string bytes = file.substr(BomLength(encoding));
  std::u32string text = encoding == MemoEncoding::Utf8 || encoding == MemoEncoding::Utf8Bom
                            ? RefUtf8(bytes)
                            : RefUtf16(bytes, encoding == MemoEncoding::Utf16BeBom);
  for (char32_t& c : text) c = RefWindowsForm(c);
  std::vector<std::u32string> words;
  for (const std::string& word : RefWords(keyword)) {
    std::u32string unicode;
    if (RefCp932ToUnicode(word, unicode)) words.push_back(unicode);
  }
  return AnyLineMatches(text, [&](const std::u32string& line) {
    for (const std::u32string& word : words) {
      if (line.find(word) != std::u32string::npos) return true;
    }
    return false;
  });
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

static std::string RefToUtf8(const std::u32string& text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
      out += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
    } else {
      out += {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
              static_cast<char>(0x80 | (c & 0x3F))};
    }
  }
  return out;
}

// The words of UTF-8 text that reads as CP932 too weighed as
// Utf8WordEvidence does: runs of ASCII letters and other characters.
static int RefWordsWeight(const std::u32string& text) {
  auto isLetter = [](char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  auto scriptOf = [](char32_t c, WordScript& script) {
    static const std::u32string arabic = U"\u060C\u061B\u061F\u067E\u0686\u0698\u06A9\u06AF\u06CC";
    const struct {
      char32_t first, last;
      WordScript script;
    } ranges[] = {{0xA1, 0xBF, WordScript::Signs},           {0xC0, 0xFF, WordScript::Latin1},
                  {0x100, 0x24F, WordScript::LatinExtended}, {0x259, 0x259, WordScript::LatinExtended},
                  {0x300, 0x36F, WordScript::LatinExtended}, {0x370, 0x3CF, WordScript::Greek},
                  {0x400, 0x4FF, WordScript::Cyrillic},      {0x5D0, 0x5EA, WordScript::Hebrew},
                  {0x621, 0x652, WordScript::Arabic},        {0xD000, 0xD7FF, WordScript::Hangul}};
    if (c == 0xD7 || c == 0xF7) return false;
    for (const auto& range : ranges) {
      if (c >= range.first && c <= range.last) {
        script = range.script;
        return true;
      }
    }
    script = WordScript::Arabic;
    return arabic.find(c) != std::u32string::npos;
  };
  bool textHasLetter = std::any_of(text.begin(), text.end(), isLetter);
  int weight = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = start;
    while (end < text.size() && (isLetter(text[end]) || text[end] >= 0x80)) ++end;
    std::vector<WordScript> scripts;
    bool other = false, asciiLetter = false;
    size_t chars = 0;
    for (size_t i = start; i < end; ++i) {
      char32_t c = text[i];
      if (c < 0x80) {
        // Unless it is, in CP932, the second byte of the character whose lead
        // byte ends the two-byte character before it, past the word's first.
        unsigned secondByte = i > start && text[i - 1] >= 0x80 && text[i - 1] < 0x800 ? 0x80 | (text[i - 1] & 0x3F) : 0;
        asciiLetter = asciiLetter || !(secondByte >= 0x81 && secondByte <= 0x9F) || chars == 1;
        continue;
      }
      ++chars;
      WordScript script;
      if (scriptOf(c, script)) {
        scripts.push_back(script);
      } else {
        other = true;
      }
    }
    std::vector<WordScript> letters;
    for (WordScript script : scripts) {
      bool seen = std::find(letters.begin(), letters.end(), script) != letters.end();
      if (script != WordScript::Signs && !seen) letters.push_back(script);
    }
    if (letters.empty() && !scripts.empty()) letters.push_back(WordScript::Signs);
    bool latin1 = std::find(letters.begin(), letters.end(), WordScript::Latin1) != letters.end();
    bool extended = std::find(letters.begin(), letters.end(), WordScript::LatinExtended) != letters.end();
    if (letters.size() == 2 && latin1 && extended) letters = {WordScript::LatinExtended};
    if (other && letters.empty()) {
      weight += OtherWordWeight;
    } else if (other || letters.size() > 1) {
      weight += MixedWordWeight;
    } else if (chars > 0) {
      WordShape shape = asciiLetter     ? WordShape::BesideAsciiLetters
                        : chars > 1     ? WordShape::SeveralAlone
                        : textHasLetter ? WordShape::OneAmidAsciiWords
                                        : WordShape::OneAlone;
      weight += WordWeight(letters[0], shape);
    }
    start = end == start ? end + 1 : end;
  }
  return weight;
}

bool RefBomlessIsUtf8(const std::string& file) {
  std::u32string text = RefUtf8(file), unicode;
  if (RefToUtf8(text) != file) return false;
  bool wide = false, multiByte = false;
  for (char32_t c : text) {
    multiByte = multiByte || c >= 0x80;
    // Lead bytes ED and EE, which CP932 text makes too, leave it to the words.
    wide = wide || (c >= 0x800 && !(c >= 0xD000 && c <= 0xEFFF));
  }
  return multiByte && (wide || !RefCp932ToUnicode(file, unicode) || RefWordsWeight(text) > 0);
}

static void AppendRefUtf16Unit(char32_t unit, bool bigEndian, std::string& out) {
  char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit);
  out += bigEndian ? high : low;
  out += bigEndian ? low : high;
}

static std::string RefToUtf16(const std::u32string& text, bool bigEndian) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x10000) {
      AppendRefUtf16Unit(c, bigEndian, out);
    } else {
      AppendRefUtf16Unit(0xD800 + ((c - 0x10000) >> 10), bigEndian, out);
      AppendRefUtf16Unit(0xDC00 + ((c - 0x10000) & 0x3FF), bigEndian, out);
    }
  }
  return out;
}

// Pieces of the random memos: characters below U+0800 (ASCII, Latin, Greek,
// Cyrillic, Hebrew and Arabic letters, a combining mark, signs) and line
// bytes; kana and kanji, signs with NEC and IBM codes, half-width katakana; characters with no CP932 form (among them
// the forms other systems give 〜, − and ￠) and Ctrl-Z, which are rare. The
// second bytes 5C and 7C run through them all.
static const std::u32string NarrowPieces[] = {
    U"a", U"b", U" ", U"\\", U"|", U"α", U"Ж", U"č", U"ש", U"ی", U"\u0301", U"°", U"§", U"\r\n", U"\n", U"\r", std::u32string(1, 0),
};
static const std::u32string WidePieces[] = {U"ファイル", U"メ", U"モ", U"十", U"ソ", U"表", U"≒", U"ⅰ", U"Ⅰ", U"纊", U"ｱ", U"ﾃｽ", U"～"};
static const std::u32string RarePieces[] = {U"é", U"à", U"¥", U"😀", U"\x1A", U"\u301C", U"\u2212", U"\u00A2"};

template <size_t N>
static const std::u32string& Pick(std::mt19937& rng, const std::u32string (&pieces)[N]) {
  return pieces[rng() % N];
}

std::string RandomMemoFile(std::mt19937& rng, size_t pieces) {
  unsigned kind = rng() % 6;
  if (kind < 2) return RandomCp932(rng, pieces, true);
  // Some texts keep below U+0800.
  bool wide = rng() % 4 != 0;
  std::u32string text;
  for (size_t i = 0; i < pieces; ++i) {
    unsigned roll = rng() % 16;
    text += roll == 0 ? Pick(rng, RarePieces) : wide && roll < 9 ? Pick(rng, WidePieces) : Pick(rng, NarrowPieces);
  }
  bool broken = rng() % 8 == 0;
  size_t at = text.empty() ? 0 : rng() % text.size();
  if (kind < 4) {
    std::string file = RefToUtf8(text);
    static const char* const junk[] = {"\x80", "\xE3\x81", "\xC0\xAF", "\xFF", "\xED\xA0\x80"};
    if (broken) file.insert(std::min(file.size(), RefToUtf8(text.substr(0, at)).size()), junk[rng() % 5]);
    return kind == 2 ? file : "\xEF\xBB\xBF" + file;
  }
  bool bigEndian = kind == 5;
  std::string file = (bigEndian ? "\xFE\xFF" : "\xFF\xFE") + RefToUtf16(text, bigEndian);
  if (broken && rng() % 2) file += 'x';
  if (broken) file.insert(2 + RefToUtf16(text.substr(0, at), bigEndian).size(), bigEndian ? "\xD8\x00"s : "\x00\xDC"s);
  return file;
}

// The last three are 〜, − and ￠, which systems other than Windows write as
// other characters.
static const char* const KeywordPieces[] = {"a",  "b",     "\\",  "|",    "ファイル", "ファ", "イル",     "メモ",     "十",
                                            "ソ", "十 ソ", "表",  "≒",    "ⅰ",        "Ⅰ",    "\x87\x90", "\xEE\xEF", "\xED\x40",
                                            "ｱ",  "ﾃｽ",    "a b", "\x83", "\x80",     "",     "\x81\x60", "\x81\x7C", "\x81\x91"};

std::string RandomKeyword(std::mt19937& rng) {
  const size_t count = sizeof KeywordPieces / sizeof KeywordPieces[0];
  std::string keyword = KeywordPieces[rng() % count];
  if (rng() % 3 == 0) keyword += std::string(rng() % 2 ? " " : "") + KeywordPieces[rng() % count];
  return keyword;
}

PaneLoss RefPaneText(const std::u16string& text, size_t limit, std::u16string& shown) {
  std::vector<std::u16string> chars;
  std::vector<size_t> widths;
  for (size_t i = 0; i < text.size(); i += chars.back().size()) {
    bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size();
    chars.push_back(text.substr(i, pair ? 2 : 1));
    char form[2];
    size_t width = pair ? 0 : EncodeCp932Char(text[i], form);
    widths.push_back(width ? width : 2);
  }
  PaneLoss loss = PaneLoss::None;
  std::vector<size_t> visible;
  for (size_t at = 0; at < chars.size();) {
    std::vector<size_t> piece;
    size_t pieceBytes = 0;
    while (at < chars.size() && pieceBytes + widths[at] < 200000) {
      pieceBytes += widths[at];
      piece.push_back(at);
      if (chars[at++] == u"\n") break;
    }
    auto nul = std::find_if(piece.begin(), piece.end(), [&](size_t i) { return chars[i][0] == 0; });
    if (nul != piece.end()) loss = PaneLoss::Nul;
    visible.insert(visible.end(), piece.begin(), nul);
  }
  shown.clear();
  size_t bytes = 0;
  for (size_t i : visible) {
    if ((bytes += widths[i]) > limit) return PaneLoss::Cut;
    shown += chars[i];
  }
  return loss;
}
