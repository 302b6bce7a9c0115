// The panel's layout after initialisation, its stored position, and the host
// notifications around activation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ToolHarness.h"

namespace {

struct ExpectedRect {
  int id;
  int x, y, width, height;
};

// Client rectangles the panel imposes on its controls.
const ExpectedRect expectedLayout[] = {
    {IDC_PANEL_NEW, 15, 15, 32, 32},       {IDC_PANEL_ERASE, 52, 15, 32, 32},        {IDC_PANEL_DELETE, 89, 15, 32, 32},
    {IDC_PANEL_EXT_EDIT, 126, 15, 32, 32}, {IDC_PANEL_OPEN_EDITOR, 163, 15, 32, 32}, {IDC_PANEL_FOLDER1, 15, 57, 32, 32},
    {IDC_PANEL_FOLDER2, 52, 57, 32, 32},   {IDC_PANEL_FOLDER3, 89, 57, 32, 32},      {IDC_PANEL_FOLDER4, 126, 57, 32, 32},
    {IDC_PANEL_FOLDER5, 163, 57, 32, 32},  {IDC_PANEL_TITLE, 210, 35, 510, 25},      {IDC_PANEL_READ_ONLY, 720, 35, 25, 25},
    {IDC_PANEL_TEXT, 210, 59, 535, 525},   {IDC_PANEL_BROWSER, 210, 59, 535, 525},
};

RECT ClientRectIn(HWND panel, HWND control) {
  RECT rect;
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(NULL, panel, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int FontHeight(HWND control) {
  LOGFONTA font = {};
  ::GetObjectA(reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight;
}

// At the system's DPI the layout is in the pixels of 96 dots per inch; at
// any other, every size and font grows with the DPI.
TEST(PanelLayout, ControlsStandWhereInitialisationPutsThemAtEveryDpi) {
  for (int dpi : {96, 120, 144}) {
    SCOPED_TRACE(dpi);
    ToolHarness harness;
    harness.dpi = dpi;
    ASSERT_TRUE(harness.Start());
    auto scaled = [dpi](int pixels) { return ::MulDiv(pixels, dpi, 96); };
    for (const ExpectedRect& expected : expectedLayout) {
      HWND control = harness.Item(expected.id);
      ASSERT_TRUE(control) << expected.id;
      RECT rect = ClientRectIn(harness.PanelWindow(), control);
      EXPECT_EQ(scaled(expected.x), rect.left) << expected.id;
      EXPECT_EQ(scaled(expected.y), rect.top) << expected.id;
      EXPECT_EQ(scaled(expected.width), rect.right - rect.left) << expected.id;
      EXPECT_EQ(scaled(expected.height), rect.bottom - rect.top) << expected.id;
    }
    RECT list = ClientRectIn(harness.PanelWindow(), harness.List()), client;
    EXPECT_EQ((std::vector<int>{scaled(15), scaled(100), scaled(195), scaled(585)}),
              (std::vector<int>{list.left, list.top, list.right, list.bottom}));
    ::GetClientRect(harness.PanelWindow(), &client);
    EXPECT_EQ(scaled(765), client.right);
    EXPECT_EQ(scaled(600), client.bottom);
    EXPECT_EQ(scaled(18), FontHeight(harness.Item(IDC_PANEL_TITLE)));
    EXPECT_EQ(scaled(14), FontHeight(harness.List()));
    EXPECT_EQ(scaled(5), LOWORD(::SendMessageA(harness.Item(IDC_PANEL_TEXT), EM_GETMARGINS, 0, 0)));
  }
}

TEST(PanelLayout, InitialStateShowsFolderOneAndNoMemo) {
  ToolHarness harness;
  ASSERT_TRUE(::CreateDirectoryA(harness.Folder1().c_str(), NULL));
  WriteFileBytes(harness.Folder1() + "\\first.txt", "1");
  ASSERT_TRUE(harness.Start());
  ToolPanel* panel = harness.Panel();
  char caption[64];
  ::GetWindowTextA(harness.PanelWindow(), caption, sizeof(caption));
  EXPECT_STREQ("スクリビット", caption);
  EXPECT_EQ(" (No files opened!) ", harness.ItemText(IDC_PANEL_TITLE));
  EXPECT_FALSE(::GetWindowLongA(harness.Item(IDC_PANEL_BROWSER), GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(1, panel->currentFolder);
  EXPECT_EQ(-1, panel->currentSelection);
  EXPECT_EQ(1u, harness.Titles().size());
  EXPECT_LT(harness.Selection(), 0);
  EXPECT_EQ(200000u, static_cast<UINT>(::SendMessageA(harness.Item(IDC_PANEL_TEXT), EM_GETLIMITTEXT, 0, 0)));
  DWORD margins = static_cast<DWORD>(::SendMessageA(harness.Item(IDC_PANEL_TEXT), EM_GETMARGINS, 0, 0));
  EXPECT_EQ(5, LOWORD(margins));
  EXPECT_EQ(5, HIWORD(margins));
  EXPECT_TRUE(panel->panelIcon);
  EXPECT_EQ(reinterpret_cast<LRESULT>(panel->panelIcon), ::SendMessageA(harness.PanelWindow(), WM_GETICON, ICON_BIG, 0));
}

TEST(PanelLayout, OuterSizeFitsA765By600Client) {
  ToolHarness harness;
  ASSERT_TRUE(harness.Start());
  RECT expected = {0, 0, 765, 600};
  ::AdjustWindowRect(&expected, ::GetWindowLongA(harness.PanelWindow(), GWL_STYLE), FALSE);
  RECT outer;
  ::GetWindowRect(harness.PanelWindow(), &outer);
  EXPECT_EQ(expected.right - expected.left, outer.right - outer.left);
  EXPECT_EQ(expected.bottom - expected.top, outer.bottom - outer.top);
  // Nothing stored: the outer corner goes to 0, 0.
  EXPECT_EQ(0, outer.left);
  EXPECT_EQ(0, outer.top);
}

TEST(PanelLayout, StoredPositionIsUsedAndBlankMinusFortyReadsMinusForty) {
  ToolHarness harness;
  harness.settings.Set("WndPosX", " -40");
  harness.settings.Set("WndPosY", "37");
  ASSERT_TRUE(harness.Start());
  RECT outer;
  ::GetWindowRect(harness.PanelWindow(), &outer);
  EXPECT_EQ(-40, outer.left);
  EXPECT_EQ(37, outer.top);
}

TEST(PanelLayout, ClosingAMinimizedPanelStoresItsRestoredPosition) {
  ToolHarness harness;
  harness.settings.Set("WndPosX", "120");
  harness.settings.Set("WndPosY", "-8");
  ASSERT_TRUE(harness.Start());
  ::ShowWindow(harness.PanelWindow(), SW_SHOWMINIMIZED);
  harness.Sync();
  ASSERT_TRUE(::IsIconic(harness.PanelWindow()));
  harness.Close();
  EXPECT_EQ("120", harness.settings.Get("WndPosX"));
  EXPECT_EQ("-8", harness.settings.Get("WndPosY"));
  EXPECT_EQ(19, harness.settings.writeSection);
}

// A stored position from a screen that is no longer there must not leave the
// panel out of reach.
TEST(PanelLayout, StoredPositionOffEveryScreenComesBackOntoOne) {
  const struct {
    const char* x;
    const char* y;
  } stored[] = {{"-5000", "40"}, {"40", "-5000"}, {"30000", "30000"}, {"-30000", "-30000"}};
  for (const auto& position : stored) {
    ToolHarness harness;
    harness.settings.Set("WndPosX", position.x);
    harness.settings.Set("WndPosY", position.y);
    ASSERT_TRUE(harness.Start());
    RECT expected = {0, 0, 765, 600};
    ::AdjustWindowRect(&expected, ::GetWindowLongA(harness.PanelWindow(), GWL_STYLE), FALSE);
    RECT outer;
    ::GetWindowRect(harness.PanelWindow(), &outer);
    std::string where = std::string(position.x) + ", " + position.y;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ASSERT_TRUE(::GetMonitorInfoA(::MonitorFromRect(&outer, MONITOR_DEFAULTTONULL), &monitor)) << where;
    // The caption, by which the panel is moved, lies in the monitor's work area.
    POINT corner = {outer.left, outer.top};
    EXPECT_TRUE(::PtInRect(&monitor.rcWork, corner)) << where;
    EXPECT_EQ(expected.right - expected.left, outer.right - outer.left) << where;
    EXPECT_EQ(expected.bottom - expected.top, outer.bottom - outer.top) << where;
  }
}

// What a close stores, the next start reads: the panel comes back where it was left.
TEST(PanelLayout, StoredPositionSurvivesARestartUnchanged) {
  const char* const stored[][2] = {{"0", "0"}, {"120", "37"}, {"-8", "300"}, {"400", "-5"}};
  for (const auto& position : stored) {
    ToolHarness harness;
    harness.settings.Set("WndPosX", position[0]);
    harness.settings.Set("WndPosY", position[1]);
    ASSERT_TRUE(harness.Start());
    harness.Close();
    EXPECT_EQ(position[0], harness.settings.Get("WndPosX"));
    EXPECT_EQ(position[1], harness.settings.Get("WndPosY"));
  }
}

TEST(PanelLayout, ActivationTellsTheHost) {
  ToolHarness harness;
  ASSERT_TRUE(harness.Start());
  harness.Sync();
  PumpFor(100);
  int before = harness.host.Count(WM_TOOL_ACTIVATED);
  ::SendMessageA(harness.PanelWindow(), WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
  EXPECT_EQ(before, harness.host.Count(WM_TOOL_ACTIVATED));
  ::SendMessageA(harness.PanelWindow(), WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 0), 0);
  int afterClick = harness.host.Count(WM_TOOL_ACTIVATED);
  EXPECT_GT(afterClick, before);
  ::SendMessageA(harness.PanelWindow(), WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
  EXPECT_GT(harness.host.Count(WM_TOOL_ACTIVATED), afterClick);
  EXPECT_EQ(19u, harness.host.received.back().wParam);
  EXPECT_EQ(0, harness.host.received.back().lParam);
}

TEST(PanelLayout, FolderTooltipsShowNameElsePath) {
  ToolHarness harness;
  harness.settings.Set("ScribbitFolderName2", "仕事");
  harness.settings.Set("ScribbitFolderPath2", "C:\\work");
  harness.settings.Set("ScribbitFolderPath3", "C:\\notes");
  ASSERT_TRUE(harness.Start());
  struct {
    int id;
    const char* tip;
  } expected[] = {{IDC_PANEL_NEW, "メモ新規作成"},
                  {IDC_PANEL_ERASE, "メモ内容消去"},
                  {IDC_PANEL_DELETE, "メモ削除"},
                  {IDC_PANEL_EXT_EDIT, "編集拡張機能"},
                  {IDC_PANEL_OPEN_EDITOR, "メモをエディタで開く"},
                  {IDC_PANEL_FOLDER1, "マイメモフォルダ"},
                  {IDC_PANEL_FOLDER2, "仕事"},
                  {IDC_PANEL_FOLDER3, "C:\\notes"},
                  {IDC_PANEL_FOLDER4, ""}};
  for (const auto& e : expected) {
    char tip[256] = "?";
    harness.OnPanelThread([&] { harness.Panel()->toolTips.GetText(harness.Item(e.id), tip, sizeof(tip)); });
    EXPECT_STREQ(e.tip, tip) << e.id;
  }
}

}  // namespace
