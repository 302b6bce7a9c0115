// A push-like check box showing an icon, drawn by us so that its two states
// cannot be mistaken: checked, it stands pushed in and filled with the
// highlight colour, where the system's own push-like box only changes a
// faint pattern. The icon is drawn whole, centred at its own size. Clicks,
// keys and the check state stay the button's own.
#pragma once
#include <windows.h>

// Takes over the drawing of button, which shows the icon set with BM_SETIMAGE.
void MakeIconToggle(HWND button);
