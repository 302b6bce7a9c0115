#include "core/MemoBytes.h"

#include <algorithm>

#include "core/Utf8.h"

bool MemoBytesFor(const std::u16string& text, MemoEncoding& encoding, const MemoFileImage* base, std::string& out, std::u16string* missing,
                  std::optional<EditedSpan>* edit) {
  EditedSpan span;
  // A file read as UTF-16 without its mark is written whole, mark first, so that it reads so again.
  bool spanned = base && base->text.encoding == encoding && base->text.verdict == MemoVerdict::Editable &&
                 base->text.offsets[0] == BomLength(encoding);
  bool whole = spanned ? ReencodeEdited(base->bytes, base->text, text, out, missing, &span)
                       : EncodeMemoText(text.data(), text.size(), encoding, out, missing);
  if (edit) edit->reset();
  if (!whole) return false;
  // Without its mark a UTF-8 memo must still read as UTF-8; ASCII alone reads the same either way.
  if (encoding == MemoEncoding::Utf8 && std::any_of(out.begin(), out.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) &&
      DetectMemoEncoding(out.data(), out.size()) != MemoEncoding::Utf8) {
    encoding = MemoEncoding::Utf8Bom;
    out.insert(0, "\xEF\xBB\xBF");
    return true;
  }
  if (spanned && edit) *edit = span;
  return true;
}

namespace {

bool IsUtf8(const std::string& bytes) {
  Utf8Validator validator;
  return validator.Feed(bytes.data(), bytes.size()) && validator.Finish();
}

bool InsideUtf8Char(const std::string& bytes, size_t at) {
  return at < bytes.size() && (static_cast<unsigned char>(bytes[at]) & 0xC0) == 0x80;
}

}  // namespace

std::string Utf8BytesFor(const std::u16string& text, const MemoFileImage* base) {
  std::string out;
  if (!base || base->text.encoding != MemoEncoding::Cp932 || base->text.verdict != MemoVerdict::Editable || !IsUtf8(base->bytes)) {
    EncodeMemoText(text.data(), text.size(), MemoEncoding::Utf8Bom, out);
    return out;
  }
  const std::string& file = base->bytes;
  EditedUnits units = FindEditedUnits(base->text, text);
  size_t start = base->text.offsets[units.head], end = base->text.offsets[units.oldEnd];
  if (start == end) {
    while (InsideUtf8Char(file, start)) end = ++start;
  } else {
    while (InsideUtf8Char(file, start)) --start;
    while (InsideUtf8Char(file, end)) ++end;
  }
  EncodeMemoText(text.data() + units.head, units.editedEnd - units.head, MemoEncoding::Utf8Bom, out);
  out.insert(3, file, 0, start);
  out.append(file, end, std::string::npos);
  return out;
}

std::string MemoCopyBytes(const std::u16string& text, MemoEncoding encoding, const MemoFileImage* base) {
  std::string bytes;
  return MemoBytesFor(text, encoding, base, bytes) ? bytes : Utf8BytesFor(text, base);
}
