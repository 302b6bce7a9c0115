// A push button, or push-like check box, showing an icon or a bitmap, drawn
// by us so that its states cannot be mistaken: pushed (BM_SETSTATE) or
// checked, it stands pushed in, and checked it is filled with the highlight
// colour, where the system's own drawing shows a pushed flat button as any
// other at its next paint, and a push-like box changes only a faint pattern.
// The picture is drawn whole, centred at its own size. Clicks, keys and the
// states stay the button's own.
#pragma once
#include <windows.h>

// Takes over the drawing of button, which shows the icon or bitmap set with BM_SETIMAGE.
void MakePictureButton(HWND button);
