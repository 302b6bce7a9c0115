#include "SettingsDriver.h"

#include <gtest/gtest.h>

namespace {

BOOL CALLBACK CollectText(HWND window, LPARAM lParam) {
  char text[512] = "";
  ::GetWindowTextA(window, text, sizeof(text));
  reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(text);
  return TRUE;
}

}  // namespace

bool RunSettingsDialog(ToolHarness& harness, const std::function<void(HWND)>& act) {
  DialogAnswerer answerer(harness.PanelThreadId(), act, harness.PanelWindow());
  harness.tool->RunSettings(0, 0);
  return answerer.Wait();
}

std::string DialogText(HWND dialog, int id) {
  char text[1024] = "";
  ::GetDlgItemTextA(dialog, id, text, sizeof(text));
  return text;
}

void TypeInto(HWND dialog, int id, const std::string& text) {
  ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND PressForDialog(HWND dialog, int button) {
  PressDialogButton(dialog, button);
  // The panel is hidden, so the only other visible dialog of the thread is the new one.
  HWND opened = WaitForDialog(::GetWindowThreadProcessId(dialog, NULL), dialog);
  if (!opened) ADD_FAILURE() << "button " << button << " opened no dialog within " << waitBoundMs << " ms";
  return opened;
}

bool WaitGone(HWND window) {
  for (int waited = 0; waited < 10000; waited += 20) {
    if (!::IsWindow(window)) return true;
    ::Sleep(20);
  }
  return false;
}

std::vector<std::string> ChildTexts(HWND window) {
  std::vector<std::string> texts;
  ::EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}
