// CRuntimeClass: a window class's name and its dynamic creation record, so a
// window object can be made from its class name.
#pragma once
#include <cstring>

class CWnd;

struct CRuntimeClass {
  const char* m_lpszClassName;
  CWnd* (*m_pfnCreateObject)();
  CWnd* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

#define DECLARE_DYNCREATE(className)           \
  static const CRuntimeClass class##className; \
  static CWnd* CreateObject();

#define IMPLEMENT_DYNCREATE(className)                                                      \
  const CRuntimeClass className::class##className = {#className, &className::CreateObject}; \
  CWnd* className::CreateObject() { return new className; }
