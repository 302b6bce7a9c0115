#pragma once
// Plain character-by-character versions of the core's searches. They are slow
// and obviously right, and the fast code is checked against them.
#include <random>
#include <string>

#include "core/MemoText.h"

// Bytes in the CP932 character that starts at text[i].
size_t RefCharLen(const std::string& text, size_t i);

size_t RefFind(const std::string& text, const std::string& word);

// In UTF-16 text, characters are single units or surrogate pairs.
size_t RefDeleteOrReplace(const std::u16string& text, const std::u16string& search, const std::u16string& replacement, bool replace,
                          std::u16string& out);

// Whether any word of keyword, cut at spaces as the host cuts it, occurs in line.
bool RefLineMatches(const std::string& line, std::string keyword);

// Whether a memo holds a line matching keyword, reading the file as a C
// runtime text-mode line reader does.
bool RefScan(const std::string& file, const std::string& keyword);

// The same for a memo in any encoding: a CP932 memo as RefScan reads it; in
// any other, the characters of its lines and of the keyword's words (those
// that are CP932 text) compared as Unicode.
bool RefScanMemo(const std::string& file, const std::string& keyword);

// Whether a memo file without a byte order mark is UTF-8, walking its
// characters: well-formed UTF-8 outside ASCII, and a character at U+0800 or
// above, or bytes that are no CP932 text, or words that weigh for UTF-8.
bool RefBomlessIsUtf8(const std::string& file);

// Mixed ASCII and CP932 text dense with the traps of the character rule
// (5C, 7C, 40, 41 after lead bytes, lone and invalid lead bytes); with
// lineBytes it also holds CR, LF, NUL and, rarely, Ctrl-Z.
std::string RandomCp932(std::mt19937& rng, size_t pieces, bool lineBytes);

// A memo file in a random encoding: CP932 text as RandomCp932 makes it, or
// Japanese, other and unmappable characters and line bytes in UTF-8 (with or
// without a BOM) or UTF-16 (either byte order, with a BOM), now and then with
// bytes that are no character of its encoding.
std::string RandomMemoFile(std::mt19937& rng, size_t pieces);

// A CP932 keyword of one or two words made of the characters RandomMemoFile
// uses, in their own and in their NEC and IBM codes, or of bytes that are no
// CP932 character.
std::string RandomKeyword(std::mt19937& rng);

// What the text pane shows of a text, read by a C runtime line reader into
// a buffer of 200,000 bytes of code page 932, where 〓 stands for a character
// it lacks: each piece is a string, a NUL ends it; the text is cut at limit
// bytes. Surrogates come in pairs, as decoding leaves them.
PaneLoss RefPaneText(const std::u16string& text, size_t limit, std::u16string& shown);
