// Opens the memo "big" of a folder in the real panel and saves it through the
// host's SaveState over and over, each time with its first character changed
// to the next letter, until the process is killed. After each save it writes
// how many saves it made to a progress file.
//   save_loop.exe FOLDER PROGRESS
#include <windows.h>

#include <string>

#include "ToolHarness.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  ToolHarness harness;
  harness.settings.Set("ScribbitFolderPath2", argv[1]);
  if (!harness.Start()) return 1;
  harness.Click(IDC_PANEL_FOLDER2);
  if (!harness.Select("big")) return 1;
  HWND pane = harness.Item(IDC_PANEL_TEXT);
  for (int saves = 0;; ++saves) {
    char letter[2] = {static_cast<char>('A' + saves % 26), '\0'};
    ::SendMessageA(pane, EM_SETSEL, 0, 1);
    ::SendMessageA(pane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(letter));
    if (harness.tool->SaveState() != 1) return 1;
    WriteFileBytes(argv[2], std::to_string(saves + 1));
  }
}
