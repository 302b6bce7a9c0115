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
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};
