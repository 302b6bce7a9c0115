#include "components/vardenlist/VardenTip.h"

bool CVardenTip::Create(HWND ownerWindow, HINSTANCE instance) {
  owner = ownerWindow;
  window = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, NULL, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, owner, NULL, instance, NULL);
  if (!window) return false;
  TOOLINFOA tool = Tool();
  tool.lpszText = const_cast<char*>("");
  SendMessage(TTM_ADDTOOLA, 0, tool);
  // As wide as the title strip's: a title of 255 bytes wraps rather than run off the screen.
  ::SendMessageA(window, TTM_SETMAXTIPWIDTH, 0, 510);
  return true;
}

void CVardenTip::Destroy() {
  if (window) ::DestroyWindow(window);
  window = NULL;
}

void CVardenTip::Show(const char* text, POINT at) const {
  TOOLINFOA tool = Tool();
  tool.lpszText = const_cast<char*>(text);
  SendMessage(TTM_UPDATETIPTEXTA, 0, tool);
  ::SendMessageA(window, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
  SendMessage(TTM_TRACKACTIVATE, TRUE, tool);
}

TOOLINFOA CVardenTip::Tool() const {
  TOOLINFOA tool = {};
  // The size of the structure the common controls of every version accept.
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(owner);
  return tool;
}
