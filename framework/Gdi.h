// CFont and CBitmap: owners of a GDI font or bitmap handle.
#pragma once
#include <windows.h>

class CGdiObject {
public:
  CGdiObject() : m_hObject(NULL) {}
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  virtual ~CGdiObject() { DeleteObject(); }
  BOOL Attach(HGDIOBJ object) {
    DeleteObject();
    m_hObject = object;
    return object != NULL;
  }
  HGDIOBJ Detach() {
    HGDIOBJ object = m_hObject;
    m_hObject = NULL;
    return object;
  }
  BOOL DeleteObject() {
    if (!m_hObject) return FALSE;
    BOOL deleted = ::DeleteObject(m_hObject);
    m_hObject = NULL;
    return deleted;
  }
  HGDIOBJ m_hObject;
};

// The screen's dots per inch as this process sees it: a process Windows
// does not know to be aware of it sees 96, and is scaled as a picture.
inline int AfxScreenDpi() {
  HDC screen = ::GetDC(NULL);
  int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ::ReleaseDC(NULL, screen);
  return dpi > 0 ? dpi : 96;
}

class CFont : public CGdiObject {
public:
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline, BYTE strikeOut,
                  BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const char* faceName) {
    return Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet, outPrecision,
                                clipPrecision, quality, pitchAndFamily, faceName));
  }
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CBitmap : public CGdiObject {
public:
  // From the module's own resources.
  BOOL LoadBitmap(UINT id);
  BOOL LoadBitmap(const char* name);
  // Stretched to width by height as it loads.
  BOOL LoadBitmap(UINT id, int width, int height);
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};
