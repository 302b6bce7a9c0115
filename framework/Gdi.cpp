#include "framework/Gdi.h"

#include "framework/WinApp.h"

BOOL CBitmap::LoadBitmap(UINT id) { return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id))); }

BOOL CBitmap::LoadBitmap(const char* name) { return Attach(::LoadBitmapA(AfxGetResourceHandle(), name)); }

BOOL CBitmap::LoadBitmap(UINT id, int width, int height) {
  return Attach(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, width, height, 0));
}
