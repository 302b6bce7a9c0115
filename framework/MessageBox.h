// AfxMessageBox: a message box owned by the calling thread's active window,
// captioned with the module's file name without its extension.
#pragma once
#include <windows.h>

int AfxMessageBox(const char* text, UINT type = MB_OK);
