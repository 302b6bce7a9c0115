#pragma once
#include <string>

// True when the title holds one of \ / : * ? " < > | as a character of its
// own, so it cannot be a file name. The title is read with the file system's
// loose double-byte rule: a byte in 80-A0 or E0-FF takes the next byte along.
bool HasForbiddenChar(const char* title);

// True when the name is a device of the platform (CON, PRN, AUX, NUL, COM1-9,
// LPT1-9), in any case, alone or before an extension, with trailing blanks
// or dots: a file of that name opens the device, and what is written to it
// never reaches the disk.
bool IsReservedDeviceName(const char* name);

// A memo's title is its file name without the last dot and what follows.
std::string TitleFromFileName(const char* fileName);
