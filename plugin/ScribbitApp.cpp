// The module's application object and entry point.
#include <windows.h>

#include "framework/ControlContainer.h"
#include "framework/WinApp.h"

namespace {

class ScribbitApp : public CWinApp {
public:
  BOOL InitInstance() override {
    AfxEnableControlContainer();
    return CWinApp::InitInstance();
  }
};

ScribbitApp theApp;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    ::DisableThreadLibraryCalls(module);
    return AfxModuleAttach(module);
  }
  if (reason == DLL_PROCESS_DETACH) AfxModuleDetach();
  return TRUE;
}
