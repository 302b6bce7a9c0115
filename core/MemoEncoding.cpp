#include "MemoEncoding.h"

#include <algorithm>
#include <cstring>

#include "AsciiRun.h"
#include "BomlessDetector.h"
#include "Cp932Unicode.h"
#include "Utf16.h"
#include "Utf8.h"

namespace {

// 〓, the mark Japanese text sets for a character it cannot show.
const uint16_t StandIn = 0x81AC;

struct Bom {
  MemoEncoding encoding;
  const char* bytes;
  size_t len;
} const Boms[] = {
    {MemoEncoding::Utf8Bom, "\xEF\xBB\xBF", 3},
    {MemoEncoding::Utf16LeBom, "\xFF\xFE", 2},
    {MemoEncoding::Utf16BeBom, "\xFE\xFF", 2},
};

const unsigned char* Bytes(const char* text) { return reinterpret_cast<const unsigned char*>(text); }

// Every character of a valid UTF-8 text has a form no longer than its UTF-8
// bytes, and so has the stand-in, so the pane text is written in place.
MemoVerdict ValidUtf8ToPane(const char* text, size_t len, std::string& pane) {
  const uint16_t* forms = Cp932Forms();
  const unsigned char* bytes = Bytes(text);
  MemoVerdict verdict = MemoVerdict::Editable;
  pane.resize(len);
  char* out = &pane[0];
  for (size_t i = 0; i < len;) {
    if (bytes[i] < 0x80) {
      size_t run = AsciiRun(bytes + i, len - i);
      std::memcpy(out, text + i, run);
      out += run;
      i += run;
      continue;
    }
    char32_t c;
    i += DecodeValidUtf8Char(bytes + i, c);
    uint16_t form = c < 0x10000 ? forms[c] : 0;
    if (form == 0) {
      form = StandIn;
      verdict = MemoVerdict::NoCp932Form;
    }
    if (form >= 0x100) *out++ = static_cast<char>(form >> 8);
    *out++ = static_cast<char>(form);
  }
  pane.resize(static_cast<size_t>(out - pane.data()));
  return verdict;
}

// Text that may hold pieces that are no character, read with DecodeChar.
template <typename DecodeChar>
MemoVerdict CheckedToPane(const char* text, size_t len, DecodeChar decodeChar, std::string& pane) {
  MemoVerdict verdict = MemoVerdict::Editable;
  pane.clear();
  pane.reserve(len);
  for (size_t i = 0; i < len;) {
    char32_t c;
    i += decodeChar(Bytes(text) + i, len - i, c);
    char form[2];
    size_t formLen = c == NotAChar ? 0 : EncodeCp932Char(c, form);
    if (formLen == 0) {
      form[0] = static_cast<char>(StandIn >> 8);
      form[1] = static_cast<char>(StandIn);
      formLen = 2;
      verdict = std::max(verdict, c == NotAChar ? MemoVerdict::Malformed : MemoVerdict::NoCp932Form);
    }
    pane.append(form, formLen);
  }
  return verdict;
}

MemoVerdict Utf8ToPane(const char* text, size_t len, std::string& pane) {
  Utf8Validator validator;
  if (validator.Feed(text, len) && validator.Finish()) return ValidUtf8ToPane(text, len, pane);
  return CheckedToPane(text, len, DecodeUtf8Char, pane);
}

MemoVerdict Utf16ToPane(const char* text, size_t len, bool bigEndian, std::string& pane) {
  return CheckedToPane(
      text, len, [bigEndian](const unsigned char* at, size_t left, char32_t& c) { return DecodeUtf16Char(at, left, bigEndian, c); }, pane);
}

// Writes the pane's characters with EncodeChar, which writes one and returns
// its length, growing by at most growth bytes per byte of the pane; false at
// the first bytes that are no CP932 character. ASCII runs are copied when
// the encoding keeps ASCII as it is.
template <typename EncodeChar>
bool PaneToUnicode(const char* pane, size_t len, size_t growth, bool asciiAsIs, EncodeChar encodeChar, std::string& out) {
  const unsigned char* bytes = Bytes(pane);
  size_t start = out.size();
  out.resize(start + growth * len);
  char* to = &out[start];
  for (size_t i = 0; i < len;) {
    if (asciiAsIs && bytes[i] < 0x80) {
      size_t run = AsciiRun(bytes + i, len - i);
      std::memcpy(to, pane + i, run);
      to += run;
      i += run;
      continue;
    }
    char32_t c;
    size_t charLen = DecodeCp932Char(bytes + i, len - i, c);
    if (charLen == 0) return false;
    to += encodeChar(c, to);
    i += charLen;
  }
  out.resize(static_cast<size_t>(to - out.data()));
  return true;
}

}  // namespace

bool StartsWithBom(const char* bytes, size_t len, MemoEncoding& encoding) {
  for (const Bom& bom : Boms) {
    if (len >= bom.len && std::memcmp(bytes, bom.bytes, bom.len) == 0) {
      encoding = bom.encoding;
      return true;
    }
  }
  return false;
}

size_t BomLength(MemoEncoding encoding) {
  for (const Bom& bom : Boms) {
    if (bom.encoding == encoding) return bom.len;
  }
  return 0;
}

MemoEncoding DetectMemoEncoding(const char* bytes, size_t len) {
  MemoEncoding encoding;
  if (StartsWithBom(bytes, len, encoding)) return encoding;
  BomlessDetector detector;
  detector.Feed(bytes, len);
  return detector.FinishIsUtf8() ? MemoEncoding::Utf8 : MemoEncoding::Cp932;
}

DecodedMemo DecodeMemo(const char* bytes, size_t len) {
  DecodedMemo memo;
  memo.encoding = DetectMemoEncoding(bytes, len);
  size_t bom = BomLength(memo.encoding);
  const char* text = bytes + bom;
  len -= bom;
  switch (memo.encoding) {
    case MemoEncoding::Cp932:
      memo.paneText.assign(text, len);
      memo.verdict = IsCp932Text(text, len) ? MemoVerdict::Editable : MemoVerdict::NotCp932Text;
      break;
    case MemoEncoding::Utf8:
      memo.verdict = ValidUtf8ToPane(text, len, memo.paneText);
      break;
    case MemoEncoding::Utf8Bom:
      memo.verdict = Utf8ToPane(text, len, memo.paneText);
      break;
    case MemoEncoding::Utf16LeBom:
    case MemoEncoding::Utf16BeBom:
      memo.verdict = Utf16ToPane(text, len, memo.encoding == MemoEncoding::Utf16BeBom, memo.paneText);
      break;
  }
  return memo;
}

bool EncodeMemo(const char* paneText, size_t len, MemoEncoding encoding, std::string& out) {
  out.clear();
  if (encoding == MemoEncoding::Cp932) {
    out.assign(paneText, len);
    return true;
  }
  for (const Bom& bom : Boms) {
    if (bom.encoding == encoding) out.assign(bom.bytes, bom.len);
  }
  bool bigEndian = encoding == MemoEncoding::Utf16BeBom;
  // A half-width katakana takes three bytes in UTF-8; any character takes
  // two in UTF-16.
  bool converted = encoding == MemoEncoding::Utf8 || encoding == MemoEncoding::Utf8Bom
                       ? PaneToUnicode(paneText, len, 3, true, EncodeUtf8Char, out)
                       : PaneToUnicode(
                             paneText, len, 2, false, [bigEndian](char32_t c, char* to) { return EncodeUtf16Char(c, bigEndian, to); }, out);
  if (!converted) out.clear();
  return converted;
}
