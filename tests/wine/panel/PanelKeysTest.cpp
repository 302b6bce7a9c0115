// Keyboard filtering of the panel's message loop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Keyboard.h"
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

// Ctrl+F, a term and Return select the first match; F3 after the dialog
// closed selects the next, and says when there is none.
TEST(PanelKeys, CtrlFAndF3FindInThePane) {
  ToolHarness harness;
  ::CreateDirectoryA(harness.Folder1().c_str(), NULL);
  WriteFileBytes(harness.Folder1() + "\\memo.txt", "one two one two");
  ASSERT_TRUE(harness.Start());
  ASSERT_TRUE(harness.Select("memo"));
  HWND pane = harness.Item(IDC_PANEL_TEXT);
  auto selected = [&] {
    DWORD start = 0, end = 0;
    ::SendMessageW(pane, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return std::make_pair(start, end);
  };
  ASSERT_TRUE(FocusControl(pane));
  PressKey('F', true);
  HWND find = WaitForDialog(harness.PanelThreadId(), harness.PanelWindow());
  ASSERT_NE(HWND(NULL), find);
  EXPECT_TRUE(PumpUntil([&] { return FocusedControl(harness.PanelThreadId()) == ::GetDlgItem(find, edt1); }));
  TypeKeys(L"two\r");
  EXPECT_TRUE(PumpUntil([&] { return selected() == std::make_pair(DWORD(4), DWORD(7)); }));
  TypeKeys(L"\x1b");
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(find); }));
  ASSERT_TRUE(FocusControl(pane));
  PressKey(VK_F3);
  EXPECT_TRUE(PumpUntil([&] { return selected() == std::make_pair(DWORD(12), DWORD(15)); }));
  DialogAnswerer notFound(harness.PanelThreadId(), IDOK, harness.PanelWindow());
  PressKey(VK_F3);
  ASSERT_TRUE(notFound.Wait());
  EXPECT_EQ("「two」が見つかりません。", notFound.text);
}

// Shift+F10 in the pane brings up the pane's own menu, the encoding and the
// history with it, in place of the edit control's; Escape leaves it.
TEST(PanelKeys, ShiftF10OpensThePanesMenu) {
  ToolHarness harness;
  ::CreateDirectoryA(harness.Folder1().c_str(), NULL);
  WriteFileBytes(harness.Folder1() + "\\memo.txt", "text");
  ASSERT_TRUE(harness.Start());
  ASSERT_TRUE(harness.Select("memo"));
  ASSERT_TRUE(FocusControl(harness.Item(IDC_PANEL_TEXT)));
  PressKey(VK_F10, false, true);
  HWND menu = NULL;
  ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(menu = ::FindWindowA("#32768", NULL)); }));
  HMENU items = reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0));
  std::vector<std::string> labels;
  for (int i = 0; i < ::GetMenuItemCount(items); ++i) {
    char label[64] = "";
    ::GetMenuStringA(items, i, label, sizeof(label), MF_BYPOSITION);
    labels.push_back(label);
  }
  EXPECT_EQ((std::vector<std::string>{"文字コード(&E)", "履歴…(&H)"}), std::vector<std::string>(labels.end() - 2, labels.end()));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(menu); }));
}

}  // namespace
