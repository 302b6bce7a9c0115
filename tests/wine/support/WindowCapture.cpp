#include "WindowCapture.h"

#include <cstdlib>

WindowCapture::WindowCapture(HWND window) {
  RECT client;
  ::GetClientRect(window, &client);
  HDC screen = ::GetDC(window);
  dc = ::CreateCompatibleDC(screen);
  bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
  ::ReleaseDC(window, screen);
  previous = ::SelectObject(dc, bitmap);
  ::PrintWindow(window, dc, PW_CLIENTONLY);
}

WindowCapture::~WindowCapture() {
  ::SelectObject(dc, previous);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
}

int ColourDistance(COLORREF a, COLORREF b) {
  return abs(GetRValue(a) - GetRValue(b)) + abs(GetGValue(a) - GetGValue(b)) + abs(GetBValue(a) - GetBValue(b));
}
