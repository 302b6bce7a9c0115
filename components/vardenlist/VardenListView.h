// CVardenListView: the list-view window inside the memo list, with one-line
// wrappers over the messages the list sends it.
#pragma once
#include <windows.h>
#include <commctrl.h>

class CVardenListView {
public:
  CVardenListView() : window(NULL) {}
  void Attach(HWND listWindow) { window = listWindow; }
  HWND GetSafeHwnd() const { return window; }

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessageA(window, message, wParam, lParam); }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::PostMessageA(window, message, wParam, lParam); }

  void SetExtendedListViewStyle(DWORD mask, DWORD style) const { SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style); }
  int InsertColumn(int column, const LVCOLUMNA& info) const {
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&info)));
  }
  BOOL SetColumn(int column, const LVCOLUMNA& info) const {
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)));
  }
  void SetItemCount(int count) const { SendMessage(LVM_SETITEMCOUNT, count); }
  // Which items the list view itself counts selected and focused: what it
  // answers screen readers and raises their events for.
  BOOL SetItemState(int index, UINT state, UINT mask) const {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item)));
  }
  BOOL EnsureVisible(int index) const { return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, index, FALSE)); }
  BOOL RedrawItems(int first, int last) const { return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, first, last)); }
  int HitTest(LVHITTESTINFO& info) const { return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info))); }
  int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
  void SetFont(HFONT font, BOOL redraw) const { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }

private:
  HWND window;
};
