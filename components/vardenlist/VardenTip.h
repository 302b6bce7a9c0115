// CVardenTip: the tooltip that shows an item's whole text where the list
// had to cut it. The list places and shows it itself, over the item the
// mouse rests on, so one tool serves every item.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

class CVardenTip {
public:
  CVardenTip() : window(NULL), owner(NULL) {}
  // A tracking tooltip of owner, which the tip never hides.
  bool Create(HWND ownerWindow, HINSTANCE instance);
  void Destroy();
  HWND GetSafeHwnd() const { return window; }

  // Shows text with its corner at at (screen coordinates).
  void Show(const std::u16string& text, POINT at) const;
  void Hide() const { SendMessage(TTM_TRACKACTIVATE, FALSE, Tool()); }

private:
  LRESULT SendMessage(UINT message, WPARAM wParam, const TOOLINFOW& tool) const {
    return ::SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(&tool));
  }
  TOOLINFOW Tool() const;

  HWND window;
  HWND owner;
};
