// CWinApp: the module's one application object.
#pragma once
#include <windows.h>

class CWinApp {
public:
  explicit CWinApp(const char* appName = NULL);
  virtual ~CWinApp();
  virtual BOOL InitInstance();
  virtual int ExitInstance();

  const char* m_pszAppName;
  HINSTANCE m_hInstance;
};

CWinApp* AfxGetApp();
// The module whose resources and windows are ours: the DLL's own handle, never
// the process's executable.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// Called from the module's entry point.
BOOL AfxModuleAttach(HINSTANCE module);
void AfxModuleDetach();
