#include "framework/ToolTipCtrl.h"

#include <vector>

#include "framework/WinApp.h"

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  HWND window = ::CreateWindowExA(0, TOOLTIPS_CLASSA, NULL, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  parent ? parent->m_hWnd : NULL, NULL, AfxGetInstanceHandle(), NULL);
  if (!window) return FALSE;
  Attach(window);
  return TRUE;
}

TOOLINFOA CToolTipCtrl::ToolInfo(HWND tool, const char* text) const {
  TOOLINFOA info = {};
  // The size of the structure the common controls of every version accept.
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.uFlags = TTF_IDISHWND;
  info.hwnd = ::GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.hinst = NULL;
  info.lpszText = const_cast<char*>(text);
  return info;
}

BOOL CToolTipCtrl::AddTool(HWND tool, const char* text) {
  TOOLINFOA info = ToolInfo(tool, text);
  SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddTool(HWND tool, const std::u16string& text) {
  TOOLINFOW info = {};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND;
  info.hwnd = ::GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(text.c_str()));
  SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::GetText(HWND tool, char* buffer, int size) const {
  if (size <= 0) return;
  // The ANSI message gives at most 80 bytes of the text. The wide one takes
  // the buffer's size where the common controls know it, and a buffer as
  // large as any tool text where they do not.
  std::vector<wchar_t> text(1024, L'\0');
  TOOLINFOW info = {};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = ::GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = text.data();
  ::SendMessageW(m_hWnd, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&info));
  text.back() = L'\0';
  if (!::WideCharToMultiByte(CP_ACP, 0, text.data(), -1, buffer, size, NULL, NULL)) buffer[0] = '\0';
}
