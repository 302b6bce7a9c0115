// AfxMessageBox: a message box owned by the calling thread's active window,
// captioned with the module's file name without its extension.
#pragma once
#include <windows.h>

#include <string>

int AfxMessageBox(const char* text, UINT type = MB_OK);
// The text in UTF-16: one that quotes a memo's name, whatever its characters.
int AfxMessageBox(const std::u16string& text, UINT type = MB_OK);
