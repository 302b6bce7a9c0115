// The memo list driven as a user drives it: mouse and key messages sent to the
// list window, with messages pumped between steps.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <functional>
#include <string>

#include "core/NameText.h"
#include "components/vardenlist/VardenListBox.h"
#include "Keyboard.h"
#include "ToolHarness.h"
#include "WindowCapture.h"
#include "framework/Wnd.h"

namespace {

const char* const titles[] = {"買い物", "会議メモ", "旅行の予定", "読書記録", "レシピ"};

void PumpMessages() {
  MSG message;
  while (::PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
}

// Two names, each with its terminator, and the empty name that ends the list.
const char droppedNames[] = "C:\\メモ\\予定.txt\0C:\\b.htm\0";

HDROP NewDrop() {
  HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + sizeof(droppedNames));
  DROPFILES* files = static_cast<DROPFILES*>(::GlobalLock(memory));
  files->pFiles = sizeof(DROPFILES);
  memcpy(files + 1, droppedNames, sizeof(droppedNames));
  ::GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

BOOL CALLBACK TakeShownTip(HWND window, LPARAM shown) {
  char name[32] = "", text[512] = "";
  ::GetClassNameA(window, name, sizeof(name));
  if (::lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && ::IsWindowVisible(window) && ::GetWindowTextA(window, text, sizeof(text)))
    *reinterpret_cast<std::string*>(shown) = text;
  return TRUE;
}

// The text a visible tooltip of this thread shows now.
std::string ShownTip() {
  std::string shown;
  ::EnumThreadWindows(::GetCurrentThreadId(), TakeShownTip, reinterpret_cast<LPARAM>(&shown));
  return shown;
}

class ListBoxTest : public ::testing::Test {
protected:
  // One parent for all: Wine without a window manager takes seconds to hide a top-level window.
  static void SetUpTestSuite() {
    parent.Attach(::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 700, NULL, NULL, NULL, NULL));
  }
  static void TearDownTestSuite() { ::DestroyWindow(parent.m_hWnd); }

  void SetUp() override {
    list = CVardenListBox::NewVardenCtrl(&parent, "", RECT{15, 100, 195, 585}, 0);
    list->SetColumnLabel(0, "メモ一覧");
    list->SetActive(1);
    list->SetEventHandler(VardenEventRename, Record<VardenEventRename>, this);
    list->SetEventHandler(VardenEventFilesDropped, Record<VardenEventFilesDropped>, this);
    list->SetEventHandler(VardenEventBeforeChange, Record<VardenEventBeforeChange>, this);
    list->SetEventHandler(VardenEventSelChange, Record<VardenEventSelChange>, this);
    list->SetEventHandler(VardenEventBeforeKeyChange, Record<VardenEventBeforeKeyChange>, this);
    list->SetItemHeight(18);
    for (const char* title : titles) list->SetItemData(list->AddString(title), 116);
    PumpMessages();
  }

  void TearDown() override {
    list->Teardown();
    delete list;
  }

  // Records "event@GetCurSel during it" and then does what the owner does during that event.
  template <int event>
  static int Record(void* context) {
    ListBoxTest* test = static_cast<ListBoxTest*>(context);
    test->events += std::to_string(event) + "@" + std::to_string(test->list->GetCurSel()) + " ";
    if (test->during[event]) test->during[event]();
    // The owner answers a before-change event: 0 keeps the selection.
    return event == VardenEventBeforeChange || event == VardenEventBeforeKeyChange ? test->allowChange : 0;
  }

  std::string TakeEvents() { return std::move(events); }

  RECT ItemRect(int index) const {
    RECT rect = {};
    rect.left = LVIR_BOUNDS;
    ::SendMessageA(list->GetSafeHwnd(), LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
  }

  void Send(UINT message, WPARAM wParam, LPARAM lParam) {
    ::SendMessageA(list->GetSafeHwnd(), message, wParam, lParam);
    PumpMessages();
  }

  void Click(int index, UINT downMessage = WM_LBUTTONDOWN) {
    RECT rect = ItemRect(index);
    LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Send(downMessage, MK_LBUTTON, point);
    Send(WM_LBUTTONUP, 0, point);
  }

  void DoubleClick(int index) {
    Click(index);
    Click(index, WM_LBUTTONDBLCLK);
  }

  void Key(WPARAM key) { Send(WM_KEYDOWN, key, 1); }

  std::string Text(int index) const {
    char buffer[CVardenListBox::TextBufferSize];
    list->GetText(index, buffer);
    return buffer;
  }

  static CWnd parent;
  CVardenListBox* list = NULL;
  std::string events;
  std::function<void()> during[11];
  int allowChange = 1;
};

CWnd ListBoxTest::parent;

TEST_F(ListBoxTest, ShowsLabelledHeaderAndFixedHeightItemsInOrderAdded) {
  char label[64] = "";
  HDITEMA column = {};
  column.mask = HDI_TEXT;
  column.pszText = label;
  column.cchTextMax = sizeof(label);
  ::SendMessageA(ListView_GetHeader(list->GetSafeHwnd()), HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&column));
  EXPECT_STREQ("メモ一覧", label);
  EXPECT_EQ(18, ItemRect(0).bottom - ItemRect(0).top);
  EXPECT_EQ(ItemRect(0).bottom, ItemRect(1).top);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(titles[i], Text(i));
  EXPECT_EQ(116u, list->GetItemData(4));
  EXPECT_TRUE(::GetWindowLongA(list->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

// The pixels of a rectangle the screen shows within distance of a colour; in
// window coordinates with frame, else in client coordinates.
int PixelsNear(HWND window, RECT rect, COLORREF colour, int distance, bool frame = false) {
  HDC dc = frame ? ::GetWindowDC(window) : ::GetDC(window);
  int count = 0;
  for (int x = rect.left; x < rect.right; ++x)
    for (int y = rect.top; y < rect.bottom; ++y) count += ColourDistance(::GetPixel(dc, x, y), colour) < distance;
  ::ReleaseDC(window, dc);
  return count;
}

TEST_F(ListBoxTest, ABatchShownAtOnceIsPaintedWholeWithItsScrollBarInTheNextUpdate) {
  HWND window = list->GetSafeHwnd();
  // The batch's first row has no title: the old one must go from the screen.
  ASSERT_GT(PixelsNear(window, ItemRect(0), RGB(0, 0, 0), 200), 10);
  list->ResetContent();
  for (int i = 0; i < 200; ++i) list->AddString(i ? titles[i % 5] : "");
  list->ShowAddedItems();
  ::UpdateWindow(window);
  EXPECT_EQ(0, PixelsNear(window, ItemRect(0), RGB(0, 0, 0), 200));
  // The scroll bar is drawn where the rows were white before: its shaft is
  // not white.
  SCROLLBARINFO bar = {};
  bar.cbSize = sizeof(bar);
  ASSERT_TRUE(::GetScrollBarInfo(window, OBJID_VSCROLL, &bar));
  RECT frame;
  ::GetWindowRect(window, &frame);
  RECT shaft = bar.rcScrollBar;
  ::OffsetRect(&shaft, -frame.left, -frame.top);
  EXPECT_LT(PixelsNear(window, shaft, RGB(255, 255, 255), 20, true), (shaft.right - shaft.left) * (shaft.bottom - shaft.top) / 2);
}

TEST_F(ListBoxTest, EveryChangeOfSelectionRaisesBeforeChangeThenChange) {
  Click(2);
  Click(0);
  EXPECT_EQ("8@-1 9@2 8@2 9@0 ", TakeEvents());
  Click(0);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, ItemRect(4).bottom + 40));
  EXPECT_EQ("", TakeEvents()) << "the selected item or empty space was clicked";
  EXPECT_EQ(0, list->GetCurSel());

  for (WPARAM key : {VK_DOWN, VK_END, VK_DOWN, VK_HOME, VK_UP, VK_NEXT, VK_PRIOR}) Key(key);
  EXPECT_EQ("10@0 9@1 10@1 9@4 10@4 9@0 10@0 9@4 10@4 9@0 ", TakeEvents());

  EXPECT_EQ(3, list->SetCurSel(3));
  EXPECT_EQ(3, list->SetCurSel(3));
  EXPECT_EQ(-1, list->SetCurSel(5));
  EXPECT_EQ(-1, list->SetCurSel(-1));
  EXPECT_EQ("8@0 9@3 8@3 9@-1 ", TakeEvents());
}

TEST_F(ListBoxTest, OwnerKeepsTheSelectionByRefusingTheChange) {
  list->SetCurSel(1);
  TakeEvents();
  allowChange = 0;
  const struct {
    const char* how;
    std::function<void()> change;
    const char* events;
  } cases[] = {
      {"click", [this] { Click(3); }, "8@1 "},
      {"key", [this] { Key(VK_DOWN); }, "10@1 "},
      {"program", [this] { list->SetCurSel(4); }, "8@1 "},
  };
  for (const auto& c : cases) {
    c.change();
    EXPECT_EQ(c.events, TakeEvents()) << c.how;
    EXPECT_EQ(1, list->GetCurSel()) << c.how;
  }
  allowChange = 1;
  Click(3);
  EXPECT_EQ("8@1 9@3 ", TakeEvents());
}

TEST_F(ListBoxTest, OwnerChangesDuringBeforeChangeLandOnTheIntendedItemWithOneChange) {
  list->SetCurSel(0);
  during[VardenEventBeforeChange] = [this] { list->DeleteString(0); };
  Click(3);
  EXPECT_EQ(titles[3], Text(list->GetCurSel()));
  during[VardenEventBeforeChange] = [this] { list->SetCurSel(0); };
  Click(3);
  EXPECT_EQ("8@-1 9@0 8@0 9@2 8@2 9@0 ", TakeEvents());
}

TEST_F(ListBoxTest, DeletingAndResettingRaiseNothingAndKeepTheSelectionRight) {
  list->SetCurSel(2);
  TakeEvents();
  EXPECT_EQ(4, list->DeleteString(0));
  EXPECT_EQ(1, list->GetCurSel());
  EXPECT_EQ(3, list->DeleteString(1));
  EXPECT_EQ(-1, list->GetCurSel());
  EXPECT_EQ(-1, list->DeleteString(3));
  list->AddString("追加");
  EXPECT_EQ(4, ListView_GetItemCount(list->GetSafeHwnd())) << "the list view's count lags the items";
  EXPECT_EQ("", TakeEvents());
  list->SetCurSel(3);
  TakeEvents();
  list->ResetContent();
  EXPECT_EQ(0, list->GetCount());
  EXPECT_EQ(-1, list->GetCurSel());
  EXPECT_EQ("", TakeEvents());
}

TEST_F(ListBoxTest, RenameIsAskedByF2DoubleClickAndSlowSecondClick) {
  Key(VK_F2);
  Click(1);
  Key(VK_F2);
  Click(1);
  DoubleClick(3);
  EXPECT_EQ("8@-1 9@1 3@1 8@1 9@3 3@3 ", TakeEvents());
  ::Sleep(::GetDoubleClickTime() + 100);
  Click(3);
  // A double click on an item selected long before asks once, at its first click.
  DoubleClick(3);
  EXPECT_EQ("3@3 3@3 ", TakeEvents());
}

// The open memo's entry must read as selected whether or not the list has the
// focus: taken for unselected, a click on it becomes a slow second click,
// which asks for a rename.
TEST_F(ListBoxTest, SelectedItemStandsOutWithAndWithoutTheFocus) {
  Click(1);
  const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
  const struct {
    const char* state;
    bool focused;
  } states[] = {{"focused", true}, {"unfocused", false}};
  for (const auto& s : states) {
    ::SetFocus(s.focused ? list->GetSafeHwnd() : parent.m_hWnd);
    PumpMessages();
    WindowCapture shot(list->GetSafeHwnd());
    // Right of the short titles: background only.
    RECT selectedRow = ItemRect(1), otherRow = ItemRect(2);
    COLORREF selected = shot.At(selectedRow.right - 4, (selectedRow.top + selectedRow.bottom) / 2);
    COLORREF other = shot.At(otherRow.right - 4, (otherRow.top + otherRow.bottom) / 2);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), other) << s.state;
    EXPECT_GE(ColourDistance(selected, other), 96) << s.state << ": selected " << std::hex << selected << ", other " << other;
    EXPECT_LT(ColourDistance(selected, highlight), ColourDistance(other, highlight)) << s.state;
    if (s.focused) {
      EXPECT_EQ(highlight, selected);
    }
  }
}

TEST_F(ListBoxTest, DroppedFilesReachTheOwnerAndAreReleasedAfter) {
  HDROP drop = NewDrop();
  during[VardenEventFilesDropped] = [&] {
    HDROP seen = NULL;
    EXPECT_TRUE(list->GetDropFileInfo(&seen));
    char name[MAX_PATH] = "";
    ::DragQueryFileA(seen, 0, name, sizeof(name));
    EXPECT_STREQ(droppedNames, name);
    EXPECT_EQ(2u, ::DragQueryFileA(seen, 0xFFFFFFFF, NULL, 0));
  };
  Send(WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ("7@-1 ", TakeEvents());
  HDROP after = drop;
  EXPECT_FALSE(list->GetDropFileInfo(&after));
  EXPECT_EQ(0u, ::GlobalSize(drop));
}

// A title the list cuts shows whole in a tooltip once the mouse rests on it;
// one that fits shows none, and none stays when the mouse moves on or out.
TEST_F(ListBoxTest, ACutTitleShowsWholeInATooltipWhileTheMouseRestsOnIt) {
  // Added in UTF-8, as every title; the tip reads back in code page 932.
  const std::string cut = std::string(40, 'W') + "の長いタイトル";
  list->SetItemData(list->AddString(Utf8FromCp932(cut).c_str()), 116);
  PumpMessages();
  HWND window = list->GetSafeHwnd();
  // The mouse has rested on the list since it was last tracked.
  auto rested = [window] {
    TRACKMOUSEEVENT track = {sizeof(track), TME_QUERY, window, 0};
    return ::TrackMouseEvent(&track) && !(track.dwFlags & TME_HOVER);
  };
  const struct {
    int index;  // -1: off the list
    std::string tip;
  } steps[] = {{5, cut}, {0, ""}, {5, cut}, {-1, ""}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.index);
    RECT item = ItemRect(step.index < 0 ? 0 : step.index);
    POINT at = {(item.left + item.right) / 2, step.index < 0 ? -20 : (item.top + item.bottom) / 2};
    ::ClientToScreen(window, &at);
    MoveMouseTo(at);
    EXPECT_TRUE(PumpUntil([&] { return rested() && ShownTip() == step.tip; })) << ShownTip();
  }
}

TEST_F(ListBoxTest, GetTextStaysInsideTheBufferAndKeepsCharactersWhole) {
  char buffer[CVardenListBox::TextBufferSize + 16];
  memset(buffer, 'Z', sizeof(buffer));
  const int most = CVardenListBox::TextBufferSize - 1;
  list->SetItemText(0, std::string(most + 45, 'x').c_str());
  EXPECT_EQ(most, list->GetText(0, buffer));
  EXPECT_EQ(std::string(most, 'x'), buffer);
  EXPECT_EQ(std::string(16, 'Z'), std::string(buffer + CVardenListBox::TextBufferSize, 16));
  list->SetItemText(1, (std::string(most - 1, 'x') + u8"あx").c_str());
  EXPECT_EQ(most - 1, list->GetText(1, buffer));
  EXPECT_EQ(-1, list->GetText(5, buffer));
  EXPECT_STREQ("", buffer);
}

TEST_F(ListBoxTest, TeardownAndDeleteDestroyTheWindow) {
  HWND window = list->GetSafeHwnd();
  list->Teardown();
  EXPECT_FALSE(::IsWindow(window));
  CVardenListBox* other = CVardenListBox::NewVardenCtrl(&parent, "", RECT{0, 0, 100, 100}, 0);
  window = other->GetSafeHwnd();
  delete other;
  EXPECT_FALSE(::IsWindow(window));
}

}  // namespace
