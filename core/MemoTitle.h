#pragma once
// A title is a file name without its extension, in UTF-8 (core/NameText.h).
#include <cstddef>
#include <functional>
#include <string>

// The first character of the title that Windows refuses in a file name: one
// of \ / : * ? " < > | or a control character (below U+0020); 0 for none.
// Every other character, accents, Hangul and emoji among them, may be one.
char32_t ForbiddenCharOf(const char* title);

// True when the name is a device of the platform (CON, PRN, AUX, NUL, COM1-9,
// LPT1-9), in any case, alone or before an extension, with trailing blanks
// or dots: a file of that name opens the device, and what is written to it
// never reaches the disk.
bool IsReservedDeviceName(const char* name);

// The memo list holds a title in this many UTF-8 bytes with its terminator,
// those of the longest file name Windows allows: a title the tool makes up
// never takes more.
const size_t MemoTitleBufferSize = 3 * 255 + 1;

// The name may be a short name (NOTES~1.TXT): at most 12 bytes, with a "~"
// followed by a digit.
bool MayBeShortName(const std::string& name);

// A memo's title is its file name without the last dot and what follows.
std::string TitleFromFileName(const char* fileName);

// The kind of memo a file holds by its extension, the part after the last
// dot, in any case: .txt a text memo, .htm and .html an HTML memo. The
// platform's "*.txt" and "*.htm*" also match a name by its 8.3 short name
// ("notes.txt~" is NOTES~1.TXT) and ".htm*" matches ".htmx": a found name is
// a memo only when this says so.
enum class MemoFileType { None, Text, Html };
MemoFileType MemoFileTypeOf(const char* fileName);

// The title of the n-th copy of a memo: the title itself for n = 1, else
// "title (n)". When that is longer than maxLength bytes the title is cut,
// never inside a character, so that the whole fits; empty when
// not even one character of the title fits beside the number.
std::string NumberedTitle(const std::string& title, int n, size_t maxLength);

// The title strip's caption: the title, then the note on why the memo is
// read-only (none when empty) in brackets.
std::string CaptionOf(const std::string& title, const std::string& note);

// The caption as it fits room, width telling how wide a text is drawn: where
// the whole is wider, characters from the middle of the title give way to
// "…", whole characters only, and the note stays whole.
std::string FittedCaption(const std::string& title, const std::string& note, int room, const std::function<int(const std::string&)>& width);
