// Listing a folder of 10,000 memos in the real panel (the list filled and
// painted) against a bare FindFirstFile/FindNextFile loop over the same
// folder, best of seven each, side by side in one process.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "Timing.h"
#include "ToolHarness.h"

namespace {

const int memoCount = 10000;

int BareListing(const std::string& folder) {
  int count = 0;
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((folder + "\\*.txt").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do ++count;
  while (::FindNextFileA(find, &found));
  ::FindClose(find);
  return count;
}

}  // namespace

int main() {
  ToolHarness harness;
  TempFolder empty;
  harness.settings.Set("ScribbitFolderPath2", empty.Path());
  ::CreateDirectoryA(harness.Folder1().c_str(), NULL);
  for (int i = 0; i < memoCount; ++i) {
    char name[64];
    snprintf(name, sizeof(name), "\\メモ%05d.txt", i);
    WriteFileBytes(harness.Folder1() + name, "");
  }
  if (!harness.Start()) return 1;
  ::ShowWindow(harness.PanelWindow(), SW_SHOWNORMAL);
  HWND list = harness.List();

  // Side by side, so that both see the same state of the machine.
  int found = 0;
  double bestPanel = 1e9, bestBare = 1e9;
  for (int run = 0; run < 7; ++run) {
    harness.Click(IDC_PANEL_FOLDER2);
    ::UpdateWindow(list);
    bestPanel = std::min(bestPanel, 1000.0 * Seconds([&] {
                                      harness.Click(IDC_PANEL_FOLDER1);
                                      ::UpdateWindow(list);
                                    }));
    bestBare = std::min(bestBare, 1000.0 * Seconds([&] { found = BareListing(harness.Folder1()); }));
  }
  int listed = harness.Panel()->memoList->GetCount();
  printf("listing %d memos (list filled and painted): %.2f ms\n", listed, bestPanel);
  printf("bare FindFirstFile/FindNextFile over %d files: %.2f ms\n", found, bestBare);
  printf("ratio listing / bare loop: %.2f (goal at most 1.2)\n", bestPanel / bestBare);
  return listed == memoCount && found == memoCount ? 0 : 1;
}
