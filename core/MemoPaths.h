#pragma once
#include <cstddef>

// Each writes a zero-terminated path into out and returns true, or writes an
// empty string and returns false when the path and its terminator do not fit
// in outSize bytes. They never write past outSize.

// The stored folder path with a backslash appended unless its last byte
// already is 5C (an empty path gives "\"). Stored settings rely on that plain
// byte test, even where the 5C is the second byte of a character.
bool FormMemoFolderPath(const char* storedPath, char* out, size_t outSize);

// folderPath + title + extension.
bool FormMemoFilePath(const char* folderPath, const char* title, const char* extension, char* out, size_t outSize);
