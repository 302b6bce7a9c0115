#include "framework/UnicodeEdit.h"

#include "framework/WinApp.h"

HWND MakeUnicodeEdit(HWND dialog, int id) {
  HWND ansi = ::GetDlgItem(dialog, id);
  RECT rect;
  ::GetWindowRect(ansi, &rect);
  ::MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&rect), 2);
  DWORD style = ::GetWindowLongW(ansi, GWL_STYLE), exStyle = ::GetWindowLongW(ansi, GWL_EXSTYLE);
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(ansi, WM_GETFONT, 0, 0));
  HWND before = ::GetWindow(ansi, GW_HWNDPREV);
  ::DestroyWindow(ansi);
  HWND edit = ::CreateWindowExW(exStyle, L"EDIT", L"", style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AfxGetResourceHandle(), NULL);
  ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::SetWindowPos(edit, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return edit;
}
