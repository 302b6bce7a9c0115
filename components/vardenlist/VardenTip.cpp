#include "components/vardenlist/VardenTip.h"

bool CVardenTip::Create(HWND ownerWindow, HINSTANCE instance) {
  owner = ownerWindow;
  window = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, NULL, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, owner, NULL, instance, NULL);
  if (!window) return false;
  TOOLINFOW tool = Tool();
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessage(TTM_ADDTOOLW, 0, tool);
  // As wide as the title strip's: a title of 255 bytes wraps rather than run off the screen.
  ::SendMessageA(window, TTM_SETMAXTIPWIDTH, 0, 510);
  return true;
}

void CVardenTip::Destroy() {
  if (window) ::DestroyWindow(window);
  window = NULL;
}

void CVardenTip::Show(const std::u16string& text, POINT at) const {
  TOOLINFOW tool = Tool();
  tool.lpszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(text.c_str()));
  SendMessage(TTM_UPDATETIPTEXTW, 0, tool);
  ::SendMessageA(window, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
  SendMessage(TTM_TRACKACTIVATE, TRUE, tool);
}

TOOLINFOW CVardenTip::Tool() const {
  TOOLINFOW tool = {};
  // The size of the structure the common controls of every version accept.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(owner);
  return tool;
}
