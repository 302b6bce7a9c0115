#include "core/MemoText.h"

#include <algorithm>
#include <cstring>

#include "core/Cp932Unicode.h"
#include "core/Utf16.h"
#include "core/Utf8.h"

namespace {

const char16_t StandIn = 0x3013;  // 〓
const char16_t Replacement = 0xFFFD;
// How many characters with no form a failed encode names.
const size_t missingListed = 5;
// The line reader's buffer: each piece holds at most one byte less.
const size_t pieceLimit = 199999;

// Bytes of a unit as the pane has always counted them, in code page 932: a
// character that has none counts as the 〓 that stood for it, a surrogate
// pair as one such.
size_t PaneBytes(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xFF61 && unit <= 0xFF9F)) return 1;
  return unit >= 0xD800 && unit <= 0xDFFF ? 1 : 2;
}

// The JIS characters whose Unicode form other systems choose differently
// from Windows: typed or pasted from there, they still have a CP932 form.
const struct {
  char16_t unicode;
  uint16_t cp932;
} otherForms[] = {
    {0x301C, 0x8160}, {0x2016, 0x8161}, {0x2212, 0x817C}, {0x2014, 0x815C}, {0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00AC, 0x81CA},
};

size_t EncodeCp932OrOtherForm(char32_t c, char* out) {
  size_t length = EncodeCp932Char(c, out);
  if (length) return length;
  for (const auto& form : otherForms) {
    if (form.unicode != c) continue;
    out[0] = static_cast<char>(form.cp932 >> 8);
    out[1] = static_cast<char>(form.cp932);
    return 2;
  }
  return 0;
}

const unsigned char* Bytes(const char* text) { return reinterpret_cast<const unsigned char*>(text); }

bool IsHigh(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void Append(MemoText& memo, char32_t c, size_t offset) {
  if (c >= 0x10000) {
    memo.text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    memo.text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    memo.offsets.push_back(static_cast<uint32_t>(offset));
  } else {
    memo.text += static_cast<char16_t>(c);
  }
  memo.offsets.push_back(static_cast<uint32_t>(offset));
}

// Decodes text, which starts at offset start of the file, one character at a
// time with decodeChar; a piece that is no character stands as 〓.
template <typename DecodeChar>
void DecodeAll(const char* text, size_t len, size_t start, MemoVerdict bad, DecodeChar decodeChar, MemoText& memo) {
  memo.text.reserve(len);
  memo.offsets.reserve(len + 1);
  for (size_t i = 0; i < len;) {
    char32_t c;
    size_t taken = decodeChar(Bytes(text) + i, len - i, c);
    if (c == NotAChar) {
      c = StandIn;
      memo.verdict = bad;
    }
    Append(memo, c, start + i);
    i += taken;
  }
  memo.offsets.push_back(static_cast<uint32_t>(start + len));
}

void NoteFileForm(char32_t c, const unsigned char* bytes, MemoText& memo) {
  for (const auto& form : memo.fileForms)
    if (form.first == c) return;
  memo.fileForms.emplace_back(static_cast<char16_t>(c), static_cast<uint16_t>(bytes[0] << 8 | bytes[1]));
}

// The character at text[i]: a surrogate pair taken whole, a lone surrogate as itself.
char32_t CharAt(const char16_t* text, size_t len, size_t& i) {
  char32_t unit = text[i++];
  if (IsHigh(unit) && i < len && IsLow(text[i])) return 0x10000 + ((unit - 0xD800) << 10 | (text[i++] - 0xDC00));
  return unit;
}

void NoteMissing(char32_t c, std::u16string* missing) {
  if (!missing) return;
  std::u16string form;
  if (c >= 0x10000) {
    form += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    form += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  } else {
    form += static_cast<char16_t>(c);
  }
  size_t listed = 0;
  for (size_t i = 0; i < missing->size(); ++listed) {
    size_t start = i;
    CharAt(missing->data(), missing->size(), i);
    if (missing->compare(start, i - start, form) == 0) return;
  }
  if (listed < missingListed) *missing += form;
}

// The characters of text in encoding, with no byte order mark.
bool EncodeUnits(const char16_t* text, size_t len, MemoEncoding encoding, std::string& out, std::u16string* missing,
                 const std::vector<std::pair<char16_t, uint16_t>>* fileForms = nullptr) {
  bool whole = true;
  size_t start = out.size();
  bool utf16 = encoding == MemoEncoding::Utf16LeBom || encoding == MemoEncoding::Utf16BeBom;
  out.resize(start + (utf16 ? 2 : 3) * len);
  char* to = &out[start];
  if (utf16) {
    bool bigEndian = encoding == MemoEncoding::Utf16BeBom;
    // Units as they are: a lone surrogate goes back as it came.
    for (size_t i = 0; i < len; ++i) {
      *to++ = static_cast<char>(bigEndian ? text[i] >> 8 : text[i]);
      *to++ = static_cast<char>(bigEndian ? text[i] : text[i] >> 8);
    }
  } else {
    for (size_t i = 0; i < len;) {
      if (text[i] < 0x80) {
        *to++ = static_cast<char>(text[i++]);
        continue;
      }
      char32_t c = CharAt(text, len, i);
      if (encoding != MemoEncoding::Cp932) {
        to += EncodeUtf8Char(IsHigh(c) || IsLow(c) ? Replacement : c, to);
        continue;
      }
      size_t formLen = EncodeCp932OrOtherForm(c, to);
      if (fileForms) {
        for (const auto& form : *fileForms) {
          if (form.first != c) continue;
          to[0] = static_cast<char>(form.second >> 8);
          to[1] = static_cast<char>(form.second);
          formLen = 2;
        }
      }
      if (formLen == 0) {
        whole = false;
        NoteMissing(c, missing);
      }
      to += formLen;
    }
  }
  out.resize(static_cast<size_t>(to - out.data()));
  return whole;
}

}  // namespace

namespace {

// Decodes len bytes of encoding (its byte order mark excluded) that lie at
// offset start of the file, appending to memo; memo.offsets ends with the
// offset of their end.
void DecodeBytes(MemoEncoding encoding, const char* bytes, size_t len, size_t start, MemoText& memo) {
  switch (encoding) {
    case MemoEncoding::Cp932:
      DecodeAll(
          bytes, len, start, MemoVerdict::NotCp932Text,
          [&memo](const unsigned char* at, size_t left, char32_t& c) {
            size_t taken = DecodeCp932Char(at, left, c);
            if (taken == 0) {
              c = NotAChar;
              return static_cast<size_t>(1);
            }
            char form[2];
            if (taken == 2 && (EncodeCp932Char(c, form) != 2 || std::memcmp(form, at, 2) != 0)) NoteFileForm(c, at, memo);
            return taken;
          },
          memo);
      break;
    case MemoEncoding::Utf8:
    case MemoEncoding::Utf8Bom:
      DecodeAll(bytes, len, start, MemoVerdict::Malformed, DecodeUtf8Char, memo);
      break;
    case MemoEncoding::Utf16LeBom:
    case MemoEncoding::Utf16BeBom: {
      bool bigEndian = encoding == MemoEncoding::Utf16BeBom;
      DecodeAll(
          bytes, len, start, MemoVerdict::Malformed,
          [bigEndian](const unsigned char* at, size_t left, char32_t& c) { return DecodeUtf16Char(at, left, bigEndian, c); }, memo);
      break;
    }
  }
}

}  // namespace

MemoText DecodeMemoText(const char* bytes, size_t len) { return DecodeMemoTextAs(bytes, len, DetectMemoEncoding(bytes, len)); }

MemoText DecodeMemoTextAs(const char* bytes, size_t len, MemoEncoding chosen) {
  MemoText memo;
  MemoEncoding marked;
  bool hasBom = StartsWithBom(bytes, len, marked);
  bool utf16 = chosen == MemoEncoding::Utf16LeBom || chosen == MemoEncoding::Utf16BeBom;
  if (chosen == MemoEncoding::Cp932)
    memo.encoding = chosen;
  else if (utf16)
    memo.encoding = hasBom && marked != MemoEncoding::Utf8Bom ? marked : chosen;
  else
    memo.encoding = hasBom && marked == MemoEncoding::Utf8Bom ? marked : MemoEncoding::Utf8;
  size_t bom = hasBom && marked == memo.encoding ? BomLength(marked) : 0;
  DecodeBytes(memo.encoding, bytes + bom, len - bom, bom, memo);
  return memo;
}

void DecodeEdit(MemoText& loaded, const std::string& fileBytes, const EditedSpan& span) {
  MemoText middle;
  middle.encoding = loaded.encoding;
  middle.fileForms.swap(loaded.fileForms);
  DecodeBytes(loaded.encoding, fileBytes.data() + span.start, span.end - span.start, span.start, middle);
  middle.offsets.pop_back();
  loaded.verdict = std::max(loaded.verdict, middle.verdict);
  loaded.fileForms.swap(middle.fileForms);
  // The characters after the edit keep their bytes, moved by the edit's change of length.
  uint32_t oldEnd = loaded.offsets[span.tail], newEnd = static_cast<uint32_t>(span.end);
  if (oldEnd != newEnd)
    for (size_t i = span.tail; i < loaded.offsets.size(); ++i) loaded.offsets[i] = loaded.offsets[i] - oldEnd + newEnd;
  loaded.text.replace(span.head, span.tail - span.head, middle.text);
  loaded.offsets.erase(loaded.offsets.begin() + span.head, loaded.offsets.begin() + span.tail);
  loaded.offsets.insert(loaded.offsets.begin() + span.head, middle.offsets.begin(), middle.offsets.end());
}

bool EncodeMemoText(const char16_t* text, size_t len, MemoEncoding encoding, std::string& out, std::u16string* missing) {
  static const char* const boms[] = {"", "", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
  out = boms[static_cast<int>(encoding)];
  if (missing) missing->clear();
  return EncodeUnits(text, len, encoding, out, missing);
}

EditedUnits FindEditedUnits(const MemoText& loaded, const std::u16string& edited) {
  const std::u16string& before = loaded.text;
  size_t shorter = std::min(before.size(), edited.size());
  size_t head = std::mismatch(before.begin(), before.begin() + shorter, edited.begin()).first - before.begin();
  size_t tail = 0;
  while (tail < shorter - head && before[before.size() - 1 - tail] == edited[edited.size() - 1 - tail]) ++tail;
  // Whole characters only: a surrogate pair is never split between kept and encoded.
  if (head > 0 && head < before.size() && loaded.offsets[head] == loaded.offsets[head - 1]) --head;
  size_t tailStart = before.size() - tail;
  if (tail > 0 && tailStart > 0 && loaded.offsets[tailStart] == loaded.offsets[tailStart - 1]) --tail;
  return EditedUnits{head, before.size() - tail, edited.size() - tail};
}

bool ReencodeEdited(const std::string& fileBytes, const MemoText& loaded, const std::u16string& edited, std::string& out,
                    std::u16string* missing, EditedSpan* span) {
  EditedUnits units = FindEditedUnits(loaded, edited);
  out.assign(fileBytes, 0, loaded.offsets[units.head]);
  if (missing) missing->clear();
  bool whole = EncodeUnits(edited.data() + units.head, units.editedEnd - units.head, loaded.encoding, out, missing, &loaded.fileForms);
  if (span) *span = EditedSpan{units.head, units.oldEnd, loaded.offsets[units.head], out.size()};
  out.append(fileBytes, loaded.offsets[units.oldEnd], std::string::npos);
  return whole;
}

std::u16string WithoutCp932Missing(const std::u16string& text, std::u16string* missing) {
  std::u16string kept;
  kept.reserve(text.size());
  if (missing) missing->clear();
  char form[2];
  for (size_t i = 0; i < text.size();) {
    size_t start = i;
    char32_t c = CharAt(text.data(), text.size(), i);
    if (EncodeCp932OrOtherForm(c, form)) {
      kept.append(text, start, i - start);
    } else {
      kept += u'?';
      NoteMissing(c, missing);
    }
  }
  return kept;
}

size_t PaneBytesOf(const char16_t* text, size_t length) {
  size_t bytes = 0;
  for (size_t i = 0; i < length; ++i) bytes += PaneBytes(text[i]);
  return bytes;
}

size_t FittingUnits(const char16_t* text, size_t length, size_t budget) {
  size_t units = 0;
  for (size_t bytes = 0; units < length; ++units) {
    bytes += PaneBytes(text[units]);
    if (bytes > budget) break;
  }
  if (units > 0 && units < length && (IsHigh(text[units - 1]) || (text[units - 1] == u'\r' && text[units] == u'\n'))) --units;
  return units;
}

PaneLoss FitPaneText(std::u16string& text, size_t limit) {
  std::u16string shown;
  shown.reserve(text.size());
  PaneLoss loss = PaneLoss::None;
  size_t bytes = 0;
  // Piece by piece, as a line reader with a buffer of pieceBytes takes them,
  // until the text passes the limit, where it is cut.
  for (size_t i = 0; i < text.size() && loss != PaneLoss::Cut;) {
    size_t pieceBytes = 0;
    bool hidden = false;
    while (i < text.size()) {
      char16_t unit = text[i];
      size_t width = PaneBytes(unit);
      if (pieceBytes + width > pieceLimit) break;
      pieceBytes += width;
      ++i;
      if (unit == u'\0') hidden = true;
      if (hidden) {
        loss = PaneLoss::Nul;
      } else if (bytes + width > limit || (IsHigh(unit) && i < text.size() && bytes + width + PaneBytes(text[i]) > limit)) {
        loss = PaneLoss::Cut;
        break;
      } else {
        bytes += width;
        shown += unit;
      }
      if (unit == u'\n') break;
    }
  }
  text.swap(shown);
  return loss;
}
