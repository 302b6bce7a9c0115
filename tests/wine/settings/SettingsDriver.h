// Drives the settings dialog as a user does, from a thread other than the
// panel's: the dialog and the browse dialogs inside it run modally there.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ToolHarness.h"

// Opens the settings dialog as the host does (RunSettings from the host's
// thread); act runs on another thread with the dialog's window and must end
// the dialog. Returns false when no dialog appeared.
bool RunSettingsDialog(ToolHarness& harness, const std::function<void(HWND)>& act);

std::string DialogText(HWND dialog, int id);
void TypeInto(HWND dialog, int id, const std::string& text);
// Posts a button press and waits for the dialog it opens on the dialog's
// thread to wait for input.
HWND PressForDialog(HWND dialog, int button);
// Waits until window is destroyed.
bool WaitGone(HWND window);
// Texts of every child window of window.
std::vector<std::string> ChildTexts(HWND window);
