#pragma once
#include <string>

// True when the title holds one of \ / : * ? " < > | as a character of its
// own, so it cannot be a file name. The title is read with the file system's
// loose double-byte rule: a byte in 80-A0 or E0-FF takes the next byte along.
bool HasForbiddenChar(const char* title);

// A memo's title is its file name without the last dot and what follows.
std::string TitleFromFileName(const char* fileName);
