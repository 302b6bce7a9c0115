#include "framework/PictureButton.h"

#include <commctrl.h>

namespace {

const UINT_PTR subclassId = 1;
// Width of the frame DrawFrameControl gives a push button.
const int frameWidth = 2;

SIZE IconSize(HICON icon) {
  SIZE size = {0, 0};
  ICONINFO info;
  if (!icon || !::GetIconInfo(icon, &info)) return size;
  BITMAP bitmap;
  if (::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap)) {
    size.cx = bitmap.bmWidth;
    // A monochrome icon keeps its mask and picture one above the other.
    size.cy = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;
  }
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return size;
}

SIZE BitmapSize(HBITMAP picture) {
  BITMAP bitmap;
  if (!picture || !::GetObjectA(picture, sizeof(bitmap), &bitmap)) return SIZE{0, 0};
  return SIZE{bitmap.bmWidth, bitmap.bmHeight};
}

void Draw(HWND button, HDC dc) {
  RECT rect;
  ::GetClientRect(button, &rect);
  LRESULT state = ::SendMessageA(button, BM_GETSTATE, 0, 0);
  bool checked = (state & BST_CHECKED) != 0;
  bool pushedIn = checked || (state & BST_PUSHED) != 0;
  ::DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pushedIn ? DFCS_PUSHED : 0));
  RECT face = rect;
  ::InflateRect(&face, -frameWidth, -frameWidth);
  if (checked) {
    ::SetDCBrushColor(dc, ::GetSysColor(COLOR_HIGHLIGHT));
    ::FillRect(dc, &face, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
  }
  // Some buttons answer either kind with the one image they hold: the style tells which it is.
  bool isBitmap = (::GetWindowLongA(button, GWL_STYLE) & BS_BITMAP) != 0;
  HANDLE image = reinterpret_cast<HANDLE>(::SendMessageA(button, BM_GETIMAGE, isBitmap ? IMAGE_BITMAP : IMAGE_ICON, 0));
  HICON icon = isBitmap ? NULL : static_cast<HICON>(image);
  HBITMAP bitmap = isBitmap ? static_cast<HBITMAP>(image) : NULL;
  if (image) {
    SIZE size = icon ? IconSize(icon) : BitmapSize(bitmap);
    // Pushed in, the picture moves a pixel down and right, as on any push button.
    int shift = pushedIn ? 1 : 0;
    UINT look = (::IsWindowEnabled(button) ? DSS_NORMAL : DSS_DISABLED) | (icon ? DST_ICON : DST_BITMAP);
    LPARAM picture = icon ? reinterpret_cast<LPARAM>(icon) : reinterpret_cast<LPARAM>(bitmap);
    ::DrawStateA(dc, NULL, NULL, picture, 0, (rect.right - size.cx) / 2 + shift, (rect.bottom - size.cy) / 2 + shift, size.cx, size.cy, look);
  }
  if (::GetFocus() == button && !(::SendMessageA(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
    ::InflateRect(&face, -1, -1);
    ::DrawFocusRect(dc, &face);
  }
}

void DrawNow(HWND button) {
  if (!::IsWindowVisible(button)) return;
  HDC dc = ::GetDC(button);
  Draw(button, dc);
  ::ReleaseDC(button, dc);
}

LRESULT CALLBACK ToggleProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(button, &paint);
      Draw(button, dc);
      ::EndPaint(button, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Draw(button, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(button, ToggleProc, subclassId);
      break;
  }
  LRESULT result = ::DefSubclassProc(button, message, wParam, lParam);
  switch (message) {
    // The button draws these changes at once, not through WM_PAINT: draw over them.
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
      DrawNow(button);
      break;
  }
  return result;
}

}  // namespace

void MakePictureButton(HWND button) {
  ::SetWindowSubclass(button, ToggleProc, subclassId, 0);
  ::InvalidateRect(button, NULL, TRUE);
}
