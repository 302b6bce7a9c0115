// A window's client area as the window paints it, captured with PrintWindow
// into a bitmap of our own: pixels can be read whether or not the window is
// on the screen and whatever covers it.
#pragma once
#include <windows.h>

class WindowCapture {
public:
  explicit WindowCapture(HWND window);
  ~WindowCapture();
  WindowCapture(const WindowCapture&) = delete;
  WindowCapture& operator=(const WindowCapture&) = delete;
  // In client coordinates.
  COLORREF At(int x, int y) const { return ::GetPixel(dc, x, y); }

private:
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ previous;
};

// How far apart two colours are: the sum of the differences of their components.
int ColourDistance(COLORREF a, COLORREF b);
