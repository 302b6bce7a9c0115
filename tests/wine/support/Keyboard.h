// The keyboard and mouse as a user has them: input through the system's
// input queue, to whichever control of whichever thread has the focus, or
// lies under the mouse.
#pragma once
#include <windows.h>

#include <string>

// Gives the focus to a control of another thread and brings its top-level
// window to the front, as a click into it would. True when the control has it.
bool FocusControl(HWND control);

// The control that has the focus among a thread's windows.
HWND FocusedControl(DWORD threadId);

// Types keys as an input method hands them over: each character as a
// KEYEVENTF_UNICODE key (VK_PACKET), except "\r" and "\x1b", which are the
// Return and Escape keys.
void TypeKeys(const std::wstring& keys);

// Presses a key and lets it go, with Ctrl and Shift held as asked.
void PressKey(WORD virtualKey, bool control = false, bool shift = false);

// Moves the mouse to a point of the screen.
void MoveMouseTo(POINT screen);
