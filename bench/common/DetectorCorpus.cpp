#include "DetectorCorpus.h"

#include <algorithm>
#include <map>

#include "Iconv.h"
#include "TextCorpus.h"
#include "core/Cp932Unicode.h"
#include "core/MemoText.h"
#include "core/Utf8.h"

namespace {

// The English text that Japanese words are set into; base-files ships it.
const char EnglishText[] = "/usr/share/common-licenses/GPL-3";

struct Language {
  const char* sample;
  const char* name;
  DetectorGroup group;
};

const Language Others[] = {
    {"zh_CN", "Chinese (simplified)", DetectorGroup::ChineseKorean},
    {"zh_TW", "Chinese (traditional)", DetectorGroup::ChineseKorean},
    {"ko", "Korean", DetectorGroup::ChineseKorean},
    {"de", "German", DetectorGroup::LatinGreekCyrillic},
    {"fr", "French", DetectorGroup::LatinGreekCyrillic},
    {"es", "Spanish", DetectorGroup::LatinGreekCyrillic},
    {"it", "Italian", DetectorGroup::LatinGreekCyrillic},
    {"pt", "Portuguese", DetectorGroup::LatinGreekCyrillic},
    {"sv", "Swedish", DetectorGroup::LatinGreekCyrillic},
    {"fi", "Finnish", DetectorGroup::LatinGreekCyrillic},
    {"hu", "Hungarian", DetectorGroup::LatinGreekCyrillic},
    {"ro", "Romanian", DetectorGroup::LatinGreekCyrillic},
    {"vi", "Vietnamese", DetectorGroup::LatinGreekCyrillic},
    {"cs", "Czech", DetectorGroup::LatinGreekCyrillic},
    {"sk", "Slovak", DetectorGroup::LatinGreekCyrillic},
    {"pl", "Polish", DetectorGroup::LatinGreekCyrillic},
    {"hr", "Croatian", DetectorGroup::LatinGreekCyrillic},
    {"sl", "Slovene", DetectorGroup::LatinGreekCyrillic},
    {"eo", "Esperanto", DetectorGroup::LatinGreekCyrillic},
    {"az", "Azerbaijani", DetectorGroup::LatinGreekCyrillic},
    {"tr", "Turkish", DetectorGroup::LatinGreekCyrillic},
    {"lt", "Lithuanian", DetectorGroup::LatinGreekCyrillic},
    {"lv", "Latvian", DetectorGroup::LatinGreekCyrillic},
    {"el", "Greek", DetectorGroup::LatinGreekCyrillic},
    {"ru", "Russian", DetectorGroup::LatinGreekCyrillic},
    {"uk", "Ukrainian", DetectorGroup::LatinGreekCyrillic},
    {"bg", "Bulgarian", DetectorGroup::LatinGreekCyrillic},
    {"sr", "Serbian", DetectorGroup::LatinGreekCyrillic},
    {"he", "Hebrew", DetectorGroup::HebrewArabic},
    {"ar", "Arabic", DetectorGroup::HebrewArabic},
    {"fa", "Persian", DetectorGroup::HebrewArabic},
};

std::u32string Sample(const char* language) {
  std::string utf8;
  if (!ReadText(std::string(SCRIBBIT_DETECTOR_SAMPLES "/") + language + ".txt.gz", utf8)) return U"";
  std::u32string text;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  for (size_t i = 0; i < utf8.size();) {
    char32_t c;
    i += DecodeUtf8Char(bytes + i, utf8.size() - i, c);
    if (c != NotAChar) text += c;
  }
  return text;
}

std::u32string Utf32(const std::string& utf8) {
  std::u32string text;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  for (size_t i = 0; i < utf8.size();) {
    char32_t c;
    i += DecodeUtf8Char(bytes + i, utf8.size() - i, c);
    text += c;
  }
  return text;
}

std::string Utf8(const std::u32string& text) {
  std::string out;
  for (char32_t c : text) AppendUtf8(c, out);
  return out;
}

bool IsKanji(char32_t c) { return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF); }

// The IBM extension kanji, which Windows writes with lead bytes FA-FC, and
// the codes that NEC selected for them (ED and EE), which some converters
// write instead.
struct IbmKanji {
  std::vector<char32_t> chars;
  std::map<char32_t, uint16_t> necSelected;
};

const IbmKanji& Ibm() {
  static const IbmKanji ibm = [] {
    IbmKanji made;
    for (unsigned lead : {0xED, 0xEE}) {
      const Cp932Row& row = Cp932Rows[lead];
      for (unsigned at = 0; at < row.count; ++at) {
        if (row.chars[at] != 0) made.necSelected[row.chars[at]] = static_cast<uint16_t>(lead << 8 | (row.firstTrail + at));
      }
    }
    for (const auto& entry : made.necSelected) {
      if (IsKanji(entry.first) && Cp932Forms()[entry.first] >> 8 >= 0xFA) made.chars.push_back(entry.first);
    }
    return made;
  }();
  return ibm;
}

// Every fourth kanji made an IBM one.
std::u32string WithIbmKanji(std::u32string text) {
  const std::vector<char32_t>& ibm = Ibm().chars;
  size_t kanji = 0;
  for (char32_t& c : text) {
    if (IsKanji(c) && ++kanji % 4 == 0) c = ibm[(kanji * 7919) % ibm.size()];
  }
  return text;
}

// A sign of NEC's row 13 (①, Ⅻ, ㈱, ㌔...) after every tenth character outside ASCII.
std::u32string WithNecSigns(const std::u32string& text) {
  const Cp932Row& row = Cp932Rows[0x87];
  std::u32string signs;
  for (unsigned at = 0; at < row.count; ++at) {
    if (row.chars[at] != 0) signs += row.chars[at];
  }
  std::u32string out;
  size_t wide = 0;
  for (char32_t c : text) {
    out += c;
    if (c >= 0x80 && ++wide % 10 == 0) out += signs[(wide * 31) % signs.size()];
  }
  return out;
}

// English with a Japanese word of two to six characters after every
// fifteenth word.
std::u32string EnglishWithJapanese(const std::u32string& japanese) {
  std::string english;
  if (!ReadText(EnglishText, english)) return U"";
  std::vector<std::u32string> words;
  for (size_t i = 0; i < japanese.size();) {
    size_t end = i;
    while (end < japanese.size() && japanese[end] >= 0x3000 && end - i < 6) ++end;
    if (end - i >= 2) words.push_back(japanese.substr(i, end - i));
    i = std::max(end, i + 1);
  }
  std::u32string out;
  size_t count = 0;
  for (char c : english) {
    out += static_cast<char32_t>(c);
    if (c == ' ' && ++count % 15 == 0) out += words[(count / 15) % words.size()] + U" ";
  }
  return out;
}

void AddUtf8(std::vector<DetectorText>& texts, const char* name, DetectorGroup group, const std::u32string& text) {
  DetectorText made{name, group, MemoEncoding::Utf8, "", {}};
  for (char32_t c : text) {
    made.starts.push_back(made.bytes.size());
    AppendUtf8(c, made.bytes);
  }
  made.starts.push_back(made.bytes.size());
  texts.push_back(std::move(made));
}

// Characters with no CP932 form are left out; IBM kanji take their
// NEC-selected codes when necSelected.
void AddCp932(std::vector<DetectorText>& texts, const char* name, const std::u32string& text, bool necSelected = false) {
  DetectorText made{name, DetectorGroup::Japanese, MemoEncoding::Cp932, "", {}};
  const std::map<char32_t, uint16_t>& nec = Ibm().necSelected;
  for (char32_t c : text) {
    char form[2];
    size_t len = EncodeCp932Char(c, form);
    auto selected = nec.find(c);
    if (necSelected && selected != nec.end() && IsKanji(c)) {
      form[0] = static_cast<char>(selected->second >> 8);
      form[1] = static_cast<char>(selected->second);
    }
    if (len == 0) continue;
    made.starts.push_back(made.bytes.size());
    made.bytes.append(form, len);
  }
  made.starts.push_back(made.bytes.size());
  texts.push_back(std::move(made));
}

void AddEucJp(std::vector<DetectorText>& texts, const std::u32string& text) {
  DetectorText made{"Japanese, EUC-JP", DetectorGroup::EucJp, MemoEncoding::Cp932, "", {}};
  Iconv toEucJp("EUC-JP", "UTF-8");
  made.bytes = toEucJp.ConvertDropping(Utf8(text));
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(made.bytes.data());
  for (size_t i = 0; i < made.bytes.size(); i += bytes[i] < 0x80 ? 1 : bytes[i] == 0x8F ? 3 : 2) made.starts.push_back(i);
  made.starts.push_back(made.bytes.size());
  texts.push_back(std::move(made));
}

}  // namespace

std::vector<DetectorText> DetectorTexts() {
  std::u32string japanese = Sample("ja");
  std::u32string mixed = EnglishWithJapanese(japanese);
  if (japanese.empty() || mixed.empty()) return {};
  std::u32string halfWidth = Utf32(HalfWidthKatakana(Utf8(japanese)));
  std::u32string ibm = WithIbmKanji(japanese), nec = WithNecSigns(japanese);
  std::vector<DetectorText> texts;
  AddUtf8(texts, "Japanese, UTF-8", DetectorGroup::Japanese, japanese);
  AddUtf8(texts, "Japanese with NEC and IBM characters, UTF-8", DetectorGroup::Japanese, WithNecSigns(ibm));
  AddUtf8(texts, "English with Japanese words, UTF-8", DetectorGroup::Japanese, mixed);
  AddCp932(texts, "Japanese, CP932", japanese);
  AddCp932(texts, "half-width katakana, CP932", halfWidth);
  AddCp932(texts, "IBM kanji as Windows writes them (FA-FC), CP932", ibm);
  AddCp932(texts, "IBM kanji in NEC-selected codes (ED-EE), CP932", ibm, true);
  AddCp932(texts, "NEC row 13 signs, CP932", nec);
  AddCp932(texts, "English with Japanese words, CP932", mixed);
  AddCp932(texts, "English with half-width Japanese words, CP932", Utf32(HalfWidthKatakana(Utf8(mixed))));
  for (const Language& language : Others) {
    std::u32string text = Sample(language.sample);
    if (text.empty()) return {};
    AddUtf8(texts, language.name, language.group, text);
  }
  AddEucJp(texts, japanese);
  return texts;
}

std::vector<std::string> DetectorPieces(const DetectorText& text, size_t length) {
  std::vector<std::string> pieces;
  const std::string& bytes = text.bytes;
  for (size_t at = 0; at < bytes.size();) {
    size_t end;
    if (length == 0) {
      end = std::min(bytes.find('\n', at), bytes.size());
    } else {
      end = *(std::upper_bound(text.starts.begin(), text.starts.end(), at + length) - 1);
      if (end == at) end = *std::upper_bound(text.starts.begin(), text.starts.end(), at);
    }
    std::string piece = bytes.substr(at, end - at);
    if (!IsAscii(piece)) pieces.push_back(std::move(piece));
    at = length == 0 ? end + 1 : end;
  }
  return pieces;
}

bool Misread(const DetectorText& text, const std::string& piece) {
  if (text.group == DetectorGroup::EucJp) return DecodeMemoText(piece.data(), piece.size()).verdict == MemoVerdict::Editable;
  return DetectMemoEncoding(piece.data(), piece.size()) != text.encoding;
}

std::vector<std::vector<DetectorTally>> TallyDetector(const std::vector<DetectorText>& texts) {
  std::vector<std::vector<DetectorTally>> tallies;
  for (const DetectorText& text : texts) {
    tallies.emplace_back(DetectorLengthCount);
    for (size_t n = 0; n < DetectorLengthCount; ++n) {
      for (const std::string& piece : DetectorPieces(text, DetectorLengths[n])) {
        tallies.back()[n].misread += Misread(text, piece);
        ++tallies.back()[n].pieces;
      }
    }
  }
  return tallies;
}
