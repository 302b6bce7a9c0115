#pragma once
#include <cstddef>

// Paths are UTF-8 (core/NameText.h).

// Windows takes a path in its plain form while the path with its terminator
// holds at most this many UTF-16 units; each takes at most 3 bytes of UTF-8,
// so a buffer of MemoPathSize bytes holds any such path.
const size_t PlainPathUnits = 260;
const size_t MemoPathSize = 3 * PlainPathUnits;

// Each writes a zero-terminated path into out and returns true, or writes an
// empty string and returns false when the path and its terminator do not fit
// in outSize bytes or in PlainPathUnits. They never write past outSize.

// True when the path's last character is a backslash.
bool EndsWithBackslash(const char* path);

// The stored folder path with a backslash appended unless it already ends
// with one (an empty path gives "\").
bool FormMemoFolderPath(const char* storedPath, char* out, size_t outSize);

// The part of a path after its last backslash, or the whole path when it has
// none.
const char* FileNamePart(const char* path);

// folderPath + title + extension.
bool FormMemoFilePath(const char* folderPath, const char* title, const char* extension, char* out, size_t outSize);

// A name the memo file unit gives its temporary files: "~sb" and hex digits,
// with ".tmp" after them where the folder had room for it.
bool IsTemporaryName(const char* name);
