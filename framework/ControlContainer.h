// ActiveX control containment through the platform's ATL container window
// class "AtlAxWin": a dialog control of that class whose text is a class
// identifier hosts that control.
#pragma once
#include <windows.h>
#include <unknwn.h>

void AfxEnableControlContainer();
// Registers the container window class on first use. Loading atl.dll is not
// allowed while the loader lock is held (module load), so dialogs call this
// just before they create their windows.
bool AfxPrepareControlContainer();
// The control hosted by a container window, with a reference the caller releases.
IUnknown* AfxGetHostedControl(HWND container);
