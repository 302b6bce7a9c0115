// An ambient property of our own for a control in the platform's container
// window "AtlAxWin". The container's site answers only its own ambients, and
// no atl.dll we run on lets its owner add one: Wine's has no ambient dispatch
// at all, and ATL 3.0 has no IAxWinAmbientDispatchEx. So the control gets a
// client site of ours that answers the property and passes everything else on
// to the container's site.
#pragma once
#include <windows.h>
#include <oaidl.h>

// Gives the control in container the ambient property id with the value, and
// tells the control it changed. False when the container holds no control
// that takes a client site.
bool AfxSetAmbientProperty(HWND container, DISPID id, LONG value);
