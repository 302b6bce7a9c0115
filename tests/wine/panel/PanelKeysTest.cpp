// Keyboard filtering of the panel's message loop.
#include <gtest/gtest.h>

#include <string>

#include "ToolHarness.h"

namespace {

std::string PaneText(ToolHarness& harness) {
  char text[256] = "";
  ::GetWindowTextA(harness.Item(IDC_PANEL_TEXT), text, sizeof(text));
  return text;
}

// Keys typed go through the panel thread's queue, as a user's do; the
// loop's translation makes the characters.
void Type(HWND control, WPARAM key) {
  ::PostMessageA(control, WM_KEYDOWN, key, 1);
  ::PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}

TEST(PanelKeys, EscapeInAnyControlLeavesThePanelOpen) {
  ToolHarness harness;
  ASSERT_TRUE(harness.Start());
  const int controls[] = {IDC_PANEL_TEXT, IDC_PANEL_NEW, IDC_PANEL_FOLDER2, IDC_PANEL_READ_ONLY};
  for (int id : controls) Type(harness.Item(id), VK_ESCAPE);
  Type(harness.List(), VK_ESCAPE);
  Type(harness.PanelWindow(), VK_ESCAPE);
  harness.Sync();
  PumpFor(100);
  EXPECT_TRUE(::IsWindow(harness.PanelWindow()));
  EXPECT_EQ(0, harness.host.Count(WM_TOOL_CLOSING));
}

TEST(PanelKeys, ReturnInTheTextPaneInsertsALineBreak) {
  ToolHarness harness;
  ::CreateDirectoryA(harness.Folder1().c_str(), NULL);
  WriteFileBytes(harness.Folder1() + "\\memo.txt", "");
  ASSERT_TRUE(harness.Start());
  ASSERT_TRUE(harness.Select("memo"));
  HWND pane = harness.Item(IDC_PANEL_TEXT);
  ::SendMessageA(pane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab"));
  ::SendMessageA(pane, EM_SETSEL, 1, 1);
  Type(pane, VK_RETURN);
  harness.Sync();
  PumpFor(50);
  harness.Sync();
  EXPECT_EQ("a\r\nb", PaneText(harness));
  EXPECT_TRUE(::IsWindow(harness.PanelWindow()));
}

}  // namespace
