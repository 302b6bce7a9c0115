#include "framework/ControlContainer.h"

#include "framework/ProcAddress.h"

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
  AtlAxWinInitFunction init = GetProcAddressAs<AtlAxWinInitFunction>(atlModule, "AtlAxWinInit");
  // The class stays registered once any module of the process made it.
  WNDCLASSEXA registered = {};
  registered.cbSize = sizeof(registered);
  if (!init || (!init() && !::GetClassInfoExA(atlModule, "AtlAxWin", &registered))) return false;
  getControl = GetProcAddressAs<AtlAxGetControlFunction>(atlModule, "AtlAxGetControl");
  return getControl != NULL;
}

IUnknown* AfxGetHostedControl(HWND container) {
  IUnknown* control = NULL;
  if (!getControl || !container || FAILED(getControl(container, &control))) return NULL;
  return control;
}
