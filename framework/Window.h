// CWindow: a copyable window handle with one-line wrappers over the messages
// and calls the tool uses.
#pragma once
#include <windows.h>

#include "framework/AfxString.h"

class CWindow {
public:
  CWindow(HWND window = NULL) : m_hWnd(window) {}
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }
  bool Exists() const { return m_hWnd && ::IsWindow(m_hWnd); }

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::PostMessageA(m_hWnd, message, wParam, lParam); }

  CWindow GetDlgItem(int id) const { return CWindow(::GetDlgItem(m_hWnd, id)); }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  BOOL SetWindowText(const char* text) const { return ::SetWindowTextA(m_hWnd, text); }
  // Fetches at most size - 1 bytes and the terminator; returns the length.
  int GetWindowText(char* buffer, int size) const { return ::GetWindowTextA(m_hWnd, buffer, size); }
  int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
  CString GetWindowText() const;
  BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) const {
    return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
  }
  BOOL GetClientRect(RECT* rect) const { return ::GetClientRect(m_hWnd, rect); }
  BOOL GetWindowRect(RECT* rect) const { return ::GetWindowRect(m_hWnd, rect); }
  BOOL InvalidateRect(const RECT* rect, BOOL erase = TRUE) const { return ::InvalidateRect(m_hWnd, rect, erase); }
  HWND SetFocus() const { return ::SetFocus(m_hWnd); }
  void SetFont(HFONT font, BOOL redraw = TRUE) const { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
  BOOL SetForegroundWindow() const { return ::SetForegroundWindow(m_hWnd); }
  HICON SetIcon(HICON icon, BOOL big) const {
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
  }
  BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const {
    placement->length = sizeof(*placement);
    return ::GetWindowPlacement(m_hWnd, placement);
  }
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement) const { return ::SetWindowPlacement(m_hWnd, placement); }
  LONG GetStyle() const { return ::GetWindowLongA(m_hWnd, GWL_STYLE); }
  UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) const { return ::SetTimer(m_hWnd, id, milliseconds, NULL); }
  BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }

  // Buttons
  int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
  void SetCheck(int state) const { SendMessage(BM_SETCHECK, state); }

  // Edit controls
  BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
  void SetModify(BOOL modified = TRUE) const { SendMessage(EM_SETMODIFY, modified); }
  BOOL SetReadOnly(BOOL readOnly = TRUE) const { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly)); }
  void SetLimitText(UINT limit) const { SendMessage(EM_LIMITTEXT, limit); }
  UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
  void SetMargins(UINT left, UINT right) const { SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(left, right)); }
  int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
  void SetSel(int start, int end) const { SendMessage(EM_SETSEL, start, end); }
  void ReplaceSel(const char* text, BOOL canUndo = FALSE) const { SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text)); }
  void LineScroll(int lines) const { SendMessage(EM_LINESCROLL, 0, lines); }

  HWND m_hWnd;
};
