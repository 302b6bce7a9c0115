#pragma once
// A memo file's encoding, told from its bytes. The text pane's text meets
// the bytes in MemoText.h only, so that every load and save converts alike.
#include <cstddef>

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
  // A CP932 memo holds bytes that are no CP932 character, which the pane
  // would change. Read-only.
  NotCp932Text,
  // A UTF-8 memo with a byte order mark, or a UTF-16 memo, holds bytes that
  // are no character of its encoding (shown as 〓). Read-only.
  Malformed,
};

// Whether the bytes start with a byte order mark, and which. Needs the first
// three bytes of the file, or all of a shorter one.
bool StartsWithBom(const char* bytes, size_t len, MemoEncoding& encoding);
size_t BomLength(MemoEncoding encoding);

// The encoding of a whole memo file.
MemoEncoding DetectMemoEncoding(const char* bytes, size_t len);
