// The read-only switch over the open text memo.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ToolHarness.h"
#include "WindowCapture.h"

namespace {

bool PaneIsReadOnly(ToolHarness& harness) { return (::GetWindowLongA(harness.Item(IDC_PANEL_TEXT), GWL_STYLE) & ES_READONLY) != 0; }

bool FileIsReadOnly(const std::string& path) { return (::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0; }

TEST(ReadOnlyToggle, OnOverUnsavedEditsWritesThemThenLocksFileAndPane) {
  ToolHarness harness;
  ::CreateDirectoryA(harness.Folder1().c_str(), NULL);
  std::string path = harness.Folder1() + "\\memo.txt";
  WriteFileBytes(path, "old");
  ASSERT_TRUE(harness.Start());
  harness.SelectIndex(0);
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

// How many of the icon's opaque pixels the capture does not show at x, y.
int MissingIconPixels(const WindowCapture& shot, HICON icon, int x, int y, int size) {
  // Drawn over two backgrounds, the icon's own pixels are those that come out alike.
  HDC screen = ::GetDC(NULL);
  HDC dcs[2];
  HBITMAP bitmaps[2];
  const COLORREF backgrounds[2] = {RGB(255, 0, 255), RGB(0, 255, 0)};
  for (int i = 0; i < 2; ++i) {
    dcs[i] = ::CreateCompatibleDC(screen);
    bitmaps[i] = ::CreateCompatibleBitmap(screen, size, size);
    ::SelectObject(dcs[i], bitmaps[i]);
    ::SetDCBrushColor(dcs[i], backgrounds[i]);
    RECT all = {0, 0, size, size};
    ::FillRect(dcs[i], &all, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    ::DrawIconEx(dcs[i], 0, 0, icon, size, size, 0, NULL, DI_NORMAL);
  }
  ::ReleaseDC(NULL, screen);
  int missing = 0;
  for (int j = 0; j < size; ++j)
    for (int i = 0; i < size; ++i) {
      COLORREF pixel = ::GetPixel(dcs[0], i, j);
      if (pixel == ::GetPixel(dcs[1], i, j) && shot.At(x + i, y + j) != pixel) ++missing;
    }
  for (int i = 0; i < 2; ++i) {
    ::DeleteDC(dcs[i]);
    ::DeleteObject(bitmaps[i]);
  }
  return missing;
}

// Checked and unchecked must not be mistaken for each other, and the padlock
// must show whole in the 25-pixel button.
TEST(ReadOnlyToggle, CheckedLooksPushedInAndHighlightedWithTheWholeIcon) {
  ToolHarness harness;
  ::CreateDirectoryA(harness.Folder1().c_str(), NULL);
  WriteFileBytes(harness.Folder1() + "\\memo.txt", "text");
  ASSERT_TRUE(harness.Start());
  harness.SelectIndex(0);
  HWND toggle = harness.Item(IDC_PANEL_READ_ONLY);
  ASSERT_TRUE(::IsWindowEnabled(toggle));
  RECT client;
  ::GetClientRect(toggle, &client);
  HICON icon = reinterpret_cast<HICON>(::SendMessageA(toggle, BM_GETIMAGE, IMAGE_ICON, 0));
  ICONINFO info;
  ASSERT_TRUE(::GetIconInfo(icon, &info));
  BITMAP bitmap;
  ::GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  const int size = bitmap.bmWidth;
  // Inside the two-pixel frame of a push button.
  ASSERT_LE(size, client.right - 4);

  const struct {
    const char* state;
    WPARAM check;
  } states[] = {{"unchecked", BST_UNCHECKED}, {"checked", BST_CHECKED}};
  COLORREF face[2];
  for (int s = 0; s < 2; ++s) {
    ::SendMessageA(toggle, BM_SETCHECK, states[s].check, 0);
    WindowCapture shot(toggle);
    face[s] = shot.At(3, 3);
    EXPECT_EQ(face[s], shot.At(client.right - 4, client.bottom - 4)) << states[s].state;
    // Centred, give or take the pixel a pushed-in button moves its picture by.
    int centre = (client.right - size) / 2;
    EXPECT_EQ(0, std::min(MissingIconPixels(shot, icon, centre, centre, size), MissingIconPixels(shot, icon, centre + 1, centre + 1, size)))
        << states[s].state;
  }
  EXPECT_GE(ColourDistance(face[0], face[1]), 96) << std::hex << face[0] << " " << face[1];
  const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_LT(ColourDistance(face[1], highlight), ColourDistance(face[0], highlight));
}

}  // namespace
