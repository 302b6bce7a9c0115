// A thread's use of OLE, which the ActiveX controls on its windows need.
// Windows unloads every COM library at the thread's last OleUninitialize, so
// each control must be released before it: one released later runs code that
// is gone. Wine keeps the libraries loaded, so only the order shows there.
#pragma once
#include <windows.h>

class OleApartment {
public:
  virtual ~OleApartment();
  virtual HRESULT Initialize();
  virtual void Uninitialize();
};

// OleInitialize and OleUninitialize themselves.
OleApartment& PlatformOleApartment();
