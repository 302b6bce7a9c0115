#include "framework/BitmapButton.h"

#include <cstdio>

BOOL CBitmapButton::AutoLoad(UINT id, CWnd* parent) {
  if (!SubclassDlgItem(id, parent)) return FALSE;
  char name[64];
  if (GetWindowText(name, sizeof(name) - 1) <= 0) return FALSE;
  char up[72], down[72], focus[72], disabled[72];
  snprintf(up, sizeof(up), "%sU", name);
  snprintf(down, sizeof(down), "%sD", name);
  snprintf(focus, sizeof(focus), "%sF", name);
  snprintf(disabled, sizeof(disabled), "%sX", name);
  if (!LoadBitmaps(up, down, focus, disabled)) return FALSE;
  SizeToContent();
  return TRUE;
}

BOOL CBitmapButton::LoadBitmaps(const char* up, const char* down, const char* focus, const char* disabled) {
  BOOL loaded = m_bitmap.LoadBitmap(up);
  m_bitmapSel.LoadBitmap(down);
  m_bitmapFocus.LoadBitmap(focus);
  m_bitmapDisabled.LoadBitmap(disabled);
  return loaded;
}

void CBitmapButton::SizeToContent() {
  BITMAP info;
  if (!m_bitmap.m_hObject || !::GetObjectA(m_bitmap.m_hObject, sizeof(info), &info)) return;
  ::SetWindowPos(m_hWnd, NULL, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CBitmapButton::OnReflectedMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  if (message != WM_DRAWITEM) return false;
  DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  result = TRUE;
  return true;
}

void CBitmapButton::DrawItem(const DRAWITEMSTRUCT& item) {
  HGDIOBJ bitmap = m_bitmap.m_hObject;
  if ((item.itemState & ODS_SELECTED) && m_bitmapSel.m_hObject)
    bitmap = m_bitmapSel.m_hObject;
  else if ((item.itemState & ODS_FOCUS) && m_bitmapFocus.m_hObject)
    bitmap = m_bitmapFocus.m_hObject;
  else if ((item.itemState & ODS_DISABLED) && m_bitmapDisabled.m_hObject)
    bitmap = m_bitmapDisabled.m_hObject;
  if (!bitmap) return;
  HDC memory = ::CreateCompatibleDC(item.hDC);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  const RECT& r = item.rcItem;
  BITMAP size;
  ::GetObjectA(bitmap, sizeof(size), &size);
  // Sized to the screen's DPI, the button may be larger than its picture.
  int oldMode = ::SetStretchBltMode(item.hDC, HALFTONE);
  ::SetBrushOrgEx(item.hDC, 0, 0, NULL);
  ::StretchBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
  ::SetStretchBltMode(item.hDC, oldMode);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
}
