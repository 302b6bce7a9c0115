// The shell's folder browser, opened at a given folder.
#pragma once
#include <windows.h>

#include <string>

// Lets the user choose a folder, starting at initialPath (may be NULL).
// Returns 1 with the chosen folder's path in out, as Windows names it, or 2
// when the user cancelled or chose something that is no folder of the file
// system (out is then left as it was).
int BrowseForFolder(HWND owner, const char* initialPath, std::u16string& out);
