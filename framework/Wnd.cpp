#include "framework/Wnd.h"

#include "framework/WinApp.h"

namespace {
const char objectProperty[] = "ScribbitWndObject";
}

CWnd::~CWnd() {
  if (m_hWnd && ::IsWindow(m_hWnd) && FromAttachedHandle(m_hWnd) == this) ::RemovePropA(m_hWnd, objectProperty);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id, void*) {
  HWND window =
      ::CreateWindowExA(0, className, windowName, style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                        parent ? parent->m_hWnd : NULL, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), AfxGetInstanceHandle(), NULL);
  if (!window) return FALSE;
  Attach(window);
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

bool CWnd::OnReflectedMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  HWND control = ::GetDlgItem(parent->m_hWnd, id);
  if (!control) return FALSE;
  Attach(control);
  return TRUE;
}

void CWnd::Attach(HWND window) {
  m_hWnd = window;
  ::SetPropA(window, objectProperty, this);
}

HWND CWnd::Detach() {
  HWND window = m_hWnd;
  if (window && FromAttachedHandle(window) == this) ::RemovePropA(window, objectProperty);
  m_hWnd = NULL;
  return window;
}

CWnd* CWnd::FromAttachedHandle(HWND window) { return static_cast<CWnd*>(::GetPropA(window, objectProperty)); }

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (!control.m_hWnd) control.SubclassDlgItem(id, dx->m_pDlgWnd);
}
