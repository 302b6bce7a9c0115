// The read-only switch over the open text memo.
#include <gtest/gtest.h>

#include <string>

#include "ToolHarness.h"

namespace {

bool PaneIsReadOnly(ToolHarness& harness) { return (::GetWindowLongA(harness.Item(IDC_PANEL_TEXT), GWL_STYLE) & ES_READONLY) != 0; }

bool FileIsReadOnly(const std::string& path) { return (::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0; }

TEST(ReadOnlyToggle, OnOverUnsavedEditsWritesThemThenLocksFileAndPane) {
  ToolHarness harness;
  ::CreateDirectoryA(harness.Folder1().c_str(), NULL);
  std::string path = harness.Folder1() + "\\memo.txt";
  WriteFileBytes(path, "old");
  ASSERT_TRUE(harness.Start());
  harness.OnPanelThread([&] { harness.Panel()->memoList->SetCurSel(0); });
  ASSERT_EQ("memo", harness.ItemText(IDC_PANEL_TITLE));
  HWND pane = harness.Item(IDC_PANEL_TEXT);
  ::SendMessageA(pane, EM_SETSEL, 3, 3);
  ::SendMessageA(pane, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(" and new"));
  ASSERT_TRUE(::SendMessageA(pane, EM_GETMODIFY, 0, 0));

  // The click flips the push-like check box before its handler runs.
  ::SendMessageA(harness.Item(IDC_PANEL_READ_ONLY), BM_SETCHECK, BST_CHECKED, 0);
  harness.Click(IDC_PANEL_READ_ONLY);
  EXPECT_EQ("old and new", ReadFileBytes(path));
  EXPECT_TRUE(FileIsReadOnly(path));
  EXPECT_EQ(BST_CHECKED, ::SendMessageA(harness.Item(IDC_PANEL_READ_ONLY), BM_GETCHECK, 0, 0));
  EXPECT_TRUE(PaneIsReadOnly(harness));
  EXPECT_EQ("memo", harness.ItemText(IDC_PANEL_TITLE));
  EXPECT_EQ("old and new", harness.ItemText(IDC_PANEL_TEXT));

  ::SendMessageA(harness.Item(IDC_PANEL_READ_ONLY), BM_SETCHECK, BST_UNCHECKED, 0);
  harness.Click(IDC_PANEL_READ_ONLY);
  EXPECT_FALSE(FileIsReadOnly(path));
  EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(harness.Item(IDC_PANEL_READ_ONLY), BM_GETCHECK, 0, 0));
  EXPECT_FALSE(PaneIsReadOnly(harness));
}

// Before any memo was opened, nothing typed could reach a file: the pane
// stays read-only whatever the switch says.
TEST(ReadOnlyToggle, DoesNothingBeforeAnyMemoWasOpened) {
  ToolHarness harness;
  ASSERT_TRUE(harness.Start());
  EXPECT_TRUE(PaneIsReadOnly(harness));
  for (WPARAM state : {BST_CHECKED, BST_UNCHECKED}) {
    ::SendMessageA(harness.Item(IDC_PANEL_READ_ONLY), BM_SETCHECK, state, 0);
    harness.Click(IDC_PANEL_READ_ONLY);
    EXPECT_TRUE(PaneIsReadOnly(harness));
  }
}

}  // namespace
