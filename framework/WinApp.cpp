#include "framework/WinApp.h"

namespace {
CWinApp* application = NULL;
HINSTANCE moduleHandle = NULL;
}  // namespace

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName), m_hInstance(NULL) { application = this; }

CWinApp::~CWinApp() {
  if (application == this) application = NULL;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

CWinApp* AfxGetApp() { return application; }

HINSTANCE AfxGetInstanceHandle() { return moduleHandle ? moduleHandle : ::GetModuleHandleA(NULL); }

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

BOOL AfxModuleAttach(HINSTANCE module) {
  moduleHandle = module;
  if (!application) return TRUE;
  application->m_hInstance = module;
  return application->InitInstance();
}

void AfxModuleDetach() {
  if (application) application->ExitInstance();
}
