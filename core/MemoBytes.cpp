#include "core/MemoBytes.h"

#include <algorithm>

bool MemoBytesFor(const std::u16string& text, MemoEncoding& encoding, const MemoFileImage* base, std::string& out,
                  std::u16string* missing, std::optional<EditedSpan>* edit) {
  EditedSpan span;
  bool spanned = base && base->text.encoding == encoding && base->text.verdict == MemoVerdict::Editable;
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

std::string MemoCopyBytes(const std::u16string& text, MemoEncoding encoding, const MemoFileImage* base) {
  std::string bytes;
  if (!MemoBytesFor(text, encoding, base, bytes)) EncodeMemoText(text.data(), text.size(), MemoEncoding::Utf8Bom, bytes);
  return bytes;
}
