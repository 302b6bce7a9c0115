// Dialog templates make their controls in the code page of the program that
// loads them: an edit control that must show any character is made again
// as a Unicode window, in the same place, style, font and tab order.
#pragma once
#include <windows.h>

HWND MakeUnicodeEdit(HWND dialog, int id);
