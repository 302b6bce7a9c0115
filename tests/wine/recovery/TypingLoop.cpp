// Opens the memo "memo" of a folder in the real panel and types into it
// through the system's input queue, then waits to be killed. After each
// character the pane shows, it appends "index tick" to a progress file, and
// "done" after the last.
//   typing_loop.exe FOLDER RECOVERY PROGRESS OFFSET COUNT
// RECOVERY is the folder of the recovery records, without a backslash at its end.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "Keyboard.h"
#include "ToolHarness.h"
#include "TypingLoop.h"

int main(int argc, char** argv) {
  if (argc != 6) return 2;
  ToolHarness harness;
  harness.settings.Set("ScribbitFolderPath2", argv[1]);
  harness.recoveryFolder = std::string(argv[2]) + "\\";
  if (!harness.Start()) return 3;
  ::ShowWindow(harness.PanelWindow(), SW_SHOWNORMAL);
  harness.Click(IDC_PANEL_FOLDER2);
  if (!harness.Select("memo")) return 4;
  HWND pane = harness.Item(IDC_PANEL_TEXT);
  if (!FocusControl(pane)) return 5;
  int offset = std::atoi(argv[4]), count = std::atoi(argv[5]);
  int start = ::GetWindowTextLengthW(pane);
  ::SendMessageW(pane, EM_SETSEL, start, start);
  std::string progress;
  for (int i = 0; i < count; ++i) {
    TypeKeys(std::wstring(1, TypedCharacter(offset, i)));
    if (!PumpUntil([&] { return ::GetWindowTextLengthW(pane) == start + i + 1; }, 5000)) return 6;
    progress += std::to_string(i) + " " + std::to_string(::GetTickCount()) + "\n";
    WriteFileBytes(argv[3], progress);
  }
  WriteFileBytes(argv[3], progress + "done\n");
  PumpUntil([] { return false; }, INT_MAX);
  return 0;
}
