#pragma once
// A memo file's encoding, and conversion between its bytes and the text
// pane's text. The pane is an ANSI edit control on a Japanese system: its
// text is code page 932 bytes, which the control turns into Unicode and
// back, so only CP932 characters survive it unchanged.
//
// A CP932 memo's pane text is its bytes, exactly. A UTF-8 or UTF-16 memo's
// is its characters in CP932, and saving converts the pane's text back into
// the memo's own encoding with the byte order mark it had. Line ends are
// left as they are. Cutting the text to the pane's limit and hiding what a
// NUL hides are left to the caller, on the pane text.
#include <cstddef>
#include <string>

enum class MemoEncoding {
  Cp932,
  Utf8,  // no byte order mark; told from CP932 by BomlessDetector's rule
  Utf8Bom,
  Utf16LeBom,
  Utf16BeBom,
};

// What may be done with a decoded memo, the worse kinds last.
enum class MemoVerdict {
  // Saving the pane's text gives back the same characters.
  Editable,
  // Some character has no CP932 form (U+00A5, emoji...): each shows as 〓
  // (81 AC). The memo is to open read-only and never be written.
  NoCp932Form,
  // A CP932 memo holds bytes that are no CP932 character, which the pane
  // would change. Read-only.
  NotCp932Text,
  // A UTF-8 memo with a byte order mark, or a UTF-16 memo, holds bytes that
  // are no character of its encoding (shown as 〓). Read-only.
  Malformed,
};

struct DecodedMemo {
  MemoEncoding encoding = MemoEncoding::Cp932;
  MemoVerdict verdict = MemoVerdict::Editable;
  std::string paneText;
};

// Whether the bytes start with a byte order mark, and which. Needs the first
// three bytes of the file, or all of a shorter one.
bool StartsWithBom(const char* bytes, size_t len, MemoEncoding& encoding);
size_t BomLength(MemoEncoding encoding);

// The encoding of a whole memo file.
MemoEncoding DetectMemoEncoding(const char* bytes, size_t len);

DecodedMemo DecodeMemo(const char* bytes, size_t len);

// The file bytes for the pane's text in the memo's encoding; false, with
// nothing to write, when the text holds bytes that are no CP932 character.
bool EncodeMemo(const char* paneText, size_t len, MemoEncoding encoding, std::string& out);
