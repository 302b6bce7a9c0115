#pragma once
// A memo file's text as the Unicode text pane holds it: UTF-16 whatever the
// file's encoding, with where each character's bytes start in the file, so
// that a save encodes only what was edited and every other byte of the file
// stays as it was (NEC and IBM duplicate codes, a BOM, bytes another program
// chose).
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/MemoEncoding.h"

struct MemoText {
  MemoEncoding encoding = MemoEncoding::Cp932;
  // Editable, or NotCp932Text / Malformed: bytes that are no character of
  // the encoding, each shown as 〓 (U+3013). Such a text is never written.
  MemoVerdict verdict = MemoVerdict::Editable;
  std::u16string text;
  // offsets[i]: where in the file the character of unit i starts (the two
  // units of a surrogate pair share it); offsets[text.size()]: the file's end.
  std::vector<uint32_t> offsets;
  // Characters of a code page 932 file that it writes with other bytes than
  // the encoder's (NEC and IBM duplicate codes): an edit writes them the
  // file's way too.
  std::vector<std::pair<char16_t, uint16_t>> fileForms;
};

MemoText DecodeMemoText(const char* bytes, size_t len);
// The bytes read as the user chose: UTF-8 or UTF-16 after their byte order
// mark where the file has one, UTF-16 little-endian where it has none, code
// page 932 byte for byte. Bytes that are no character of the choice make the
// text read-only, as for a file that names its encoding.
MemoText DecodeMemoTextAs(const char* bytes, size_t len, MemoEncoding chosen);

// The text encoded whole in encoding, byte order mark first. False when some
// character has no form in it (code page 932 lacks it): the first few of
// them, each once, go to missing.
bool EncodeMemoText(const char16_t* text, size_t len, MemoEncoding encoding, std::string& out, std::u16string* missing = nullptr);

// text with "?" for each character code page 932 has no form for, as
// Windows converts it; the first few of them, each once, go to missing.
std::u16string WithoutCp932Missing(const std::u16string& text, std::u16string* missing);

// Where ReencodeEdited encoded an edit: the characters [head, tail) of the
// old text gave way to the bytes [start, end) of the new file.
struct EditedSpan {
  size_t head, tail;
  size_t start, end;
};

// The units of the loaded text an edit replaced, [head, oldEnd), and those of
// the edited text that stand in their place, [head, editedEnd): between the
// first and the last unit that differ, widened to whole characters.
struct EditedUnits {
  size_t head, oldEnd, editedEnd;
};
EditedUnits FindEditedUnits(const MemoText& loaded, const std::u16string& edited);

// The file bytes for edited, a text that loaded decoded from fileBytes: the
// bytes of the characters before the first edited one and after the last are
// the file's own, and only the span between is encoded, which goes to span.
// False as for EncodeMemoText.
bool ReencodeEdited(const std::string& fileBytes, const MemoText& loaded, const std::u16string& edited, std::string& out,
                    std::u16string* missing = nullptr, EditedSpan* span = nullptr);

// loaded becomes the decoding of fileBytes, which ReencodeEdited made from
// its file with span: it stands as it was around the edit, and only the
// span is decoded.
void DecodeEdit(MemoText& loaded, const std::string& fileBytes, const EditedSpan& span);

// Why the pane cannot hold a memo file whole. Writing such a pane back would
// drop what it does not show.
enum class PaneLoss {
  None,
  Cut,  // the text is longer than the pane's limit
  Nul,  // a NUL hid part of a piece
};

// The memo's limit: 200,000 bytes as code page 932 counts them, whatever the
// file's encoding: ASCII and half-width kana one, any other character two,
// one outside the Basic Multilingual Plane too. A memo within it opens whole
// and editable; the pane takes no more, typed or pasted.
const size_t TextPaneLimit = 200000;

// The bytes of text as the limit counts them.
size_t PaneBytesOf(const char16_t* text, size_t length);
// How many units from the start of text fit in budget bytes, in whole
// characters: never half a surrogate pair, nor a CR without its LF.
size_t FittingUnits(const char16_t* text, size_t length, size_t budget);

// What the pane shows of a text: the line reader's rules, in the bytes of
// code page 932 that the pane has always counted (ASCII and half-width kana
// one, any other character two): a U+0000 hides the rest of its piece (a
// line, or 199,999 bytes), and the text is cut where it passes limit bytes,
// never inside a character. Says what was lost.
PaneLoss FitPaneText(std::u16string& text, size_t limit = TextPaneLimit);
