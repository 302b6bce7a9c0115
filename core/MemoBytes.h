#pragma once
// The one rule for the bytes a memo's text is written as, whatever writes it:
// a save, a restore, a conflict copy, a rescue.
#include <optional>
#include <string>

#include "core/MemoEncoding.h"
#include "core/MemoText.h"

// The file as it was loaded: its bytes and their decoding.
struct MemoFileImage {
  const std::string& bytes;
  const MemoText& text;
};

// The bytes of text in encoding, the memo's own. Where base is given, was
// decoded in the same encoding and is editable, only the span between the
// first and the last character that differ from it is encoded, and every
// other byte is the file's own (NEC and IBM codes, a byte order mark, bytes
// another program chose); that span goes to edit, which is empty otherwise.
// A UTF-8 memo without a byte order mark gets one where its bytes would read
// back as code page 932: encoding then says Utf8Bom. False when encoding
// cannot hold a character of text; the first few go to missing.
bool MemoBytesFor(const std::u16string& text, MemoEncoding& encoding, const MemoFileImage* base, std::string& out,
                  std::u16string* missing = nullptr, std::optional<EditedSpan>* edit = nullptr);

// The bytes of text in UTF-8 with a byte order mark, for a code page 932
// memo that the user chose to convert. Where base's bytes are UTF-8 too,
// the file may have been misread, and text shows what the user saw, not what
// the file meant: only the edit is written anew, and every other byte stays
// the file's, so its text is kept whichever reading was right. The edit then
// begins and ends between UTF-8 characters, an insertion after the character
// it fell in, a deletion taking the characters it cut.
std::string Utf8BytesFor(const std::u16string& text, const MemoFileImage* base);

// The bytes of a copy of the memo (beside it, in another folder, restored):
// by MemoBytesFor, or by Utf8BytesFor where the memo's encoding cannot hold
// the text, and only then.
std::string MemoCopyBytes(const std::u16string& text, MemoEncoding encoding, const MemoFileImage* base);
