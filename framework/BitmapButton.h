// CBitmapButton: an owner-drawn push button showing one of four bitmaps for
// its state: up, down (selected), focused and disabled.
#pragma once
#include "framework/Gdi.h"
#include "framework/Wnd.h"

class CBitmapButton : public CWnd {
public:
  // Binds button id of parent and loads the bitmaps named after its text
  // followed by "U", "D", "F" and "X"; the button takes the up bitmap's size.
  BOOL AutoLoad(UINT id, CWnd* parent);
  BOOL LoadBitmaps(const char* up, const char* down, const char* focus, const char* disabled);
  void SizeToContent();
  bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  CBitmap m_bitmap;
  CBitmap m_bitmapSel;
  CBitmap m_bitmapFocus;
  CBitmap m_bitmapDisabled;

private:
  void DrawItem(const DRAWITEMSTRUCT& item);
};
