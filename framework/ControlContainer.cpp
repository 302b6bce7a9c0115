#include "ControlContainer.h"

namespace {

bool containmentEnabled = false;
HMODULE atlModule = NULL;
typedef BOOL(WINAPI* AtlAxWinInitFunction)();
typedef HRESULT(WINAPI* AtlAxGetControlFunction)(HWND, IUnknown**);
AtlAxGetControlFunction getControl = NULL;

}  // namespace

void AfxEnableControlContainer() { containmentEnabled = true; }

bool AfxPrepareControlContainer() {
  if (!containmentEnabled) return false;
  if (getControl) return true;
  if (!atlModule) atlModule = ::LoadLibraryA("atl.dll");
  if (!atlModule) return false;
  AtlAxWinInitFunction init = reinterpret_cast<AtlAxWinInitFunction>(::GetProcAddress(atlModule, "AtlAxWinInit"));
  // The class stays registered once any module of the process made it.
  WNDCLASSEXA registered = {sizeof(registered)};
  if (!init || (!init() && !::GetClassInfoExA(atlModule, "AtlAxWin", &registered))) return false;
  getControl = reinterpret_cast<AtlAxGetControlFunction>(::GetProcAddress(atlModule, "AtlAxGetControl"));
  return getControl != NULL;
}

IUnknown* AfxGetHostedControl(HWND container) {
  IUnknown* control = NULL;
  if (!getControl || !container || FAILED(getControl(container, &control))) return NULL;
  return control;
}
