#include "memo/WebBrowser2.h"

#include <exdisp.h>
#include <mshtmdid.h>

#include "framework/AmbientSite.h"
#include "framework/ControlContainer.h"
#include "framework/WinApp.h"

const char WebBrowserClassId[] = "{8856F961-340A-11D0-A96B-00C04FD705A2}";

namespace {
const DISPID dispidVisible = 402;
const DISPID dispidNavigate2 = 500;
const DISPID dispidLocationUrl = 211;
const DISPID dispidDocument = 203;
const DISPID dispidBusy = 212;
// Pictures, videos and background sounds as the control loads them by default.
const LONG inertPages =
    DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS | DLCTL_NO_SCRIPTS | DLCTL_NO_JAVA | DLCTL_NO_RUNACTIVEXCTLS | DLCTL_NO_DLACTIVEXCTLS;
}  // namespace

IMPLEMENT_DYNCREATE(CWebBrowser2)

BOOL CWebBrowser2::Create(const char*, const char*, DWORD style, const RECT& rect, CWnd* parent, UINT id, void*) {
  if (!AfxPrepareControlContainer()) return FALSE;
  // The container makes the control named by its window text; the window
  // name of a browser pane is never shown, so the class identifier takes its place.
  return CWnd::Create("AtlAxWin", WebBrowserClassId, style, rect, parent, id, NULL) && BlockActiveContent();
}

bool CWebBrowser2::BlockActiveContent() { return AfxSetAmbientProperty(m_hWnd, DISPID_AMBIENT_DLCONTROL, inertPages); }

HRESULT CWebBrowser2::Invoke(DISPID id, WORD flags, VARIANT* arguments, UINT count, VARIANT* result) {
  IUnknown* control = AfxGetHostedControl(m_hWnd);
  if (!control) return E_FAIL;
  IDispatch* dispatch = NULL;
  HRESULT hr = control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  control->Release();
  if (FAILED(hr)) return hr;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS parameters = {arguments, NULL, count, 0};
  if (flags == DISPATCH_PROPERTYPUT) {
    parameters.rgdispidNamedArgs = &named;
    parameters.cNamedArgs = 1;
  }
  hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result, NULL, NULL);
  dispatch->Release();
  return hr;
}

void CWebBrowser2::SetVisible(bool visible) {
  VARIANT argument;
  ::VariantInit(&argument);
  argument.vt = VT_BOOL;
  argument.boolVal = visible ? VARIANT_TRUE : VARIANT_FALSE;
  Invoke(dispidVisible, DISPATCH_PROPERTYPUT, &argument, 1, NULL);
  // Not every control hides its window for the property, and the pane shares
  // its rectangle with the text pane: a container left shown would cover it.
  ShowWindow(visible ? SW_SHOW : SW_HIDE);
}

void CWebBrowser2::Navigate2(VARIANT* url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData, VARIANT* headers) {
  VARIANT null;
  ::VariantInit(&null);
  null.vt = VT_ERROR;
  null.scode = DISP_E_PARAMNOTFOUND;
  VARIANT* given[5] = {url, flags, targetFrameName, postData, headers};
  // Automation takes its arguments last first, each by reference.
  VARIANT arguments[5];
  for (int i = 0; i < 5; ++i) {
    ::VariantInit(&arguments[4 - i]);
    arguments[4 - i].vt = VT_VARIANT | VT_BYREF;
    arguments[4 - i].pvarVal = given[i] ? given[i] : &null;
  }
  Invoke(dispidNavigate2, DISPATCH_METHOD, arguments, 5, NULL);
}

VARIANT CWebBrowser2::GetProperty(DISPID id) {
  VARIANT result;
  ::VariantInit(&result);
  if (FAILED(Invoke(id, DISPATCH_PROPERTYGET, NULL, 0, &result))) {
    ::VariantClear(&result);
    ::VariantInit(&result);
  }
  return result;
}

bool CWebBrowser2::HasDocument() {
  VARIANT document = GetProperty(dispidDocument);
  bool has = document.vt == VT_DISPATCH && document.pdispVal;
  ::VariantClear(&document);
  return has;
}

bool CWebBrowser2::IsBusy() {
  VARIANT busy = GetProperty(dispidBusy);
  bool is = busy.vt == VT_BOOL && busy.boolVal != VARIANT_FALSE;
  ::VariantClear(&busy);
  return is;
}

CString CWebBrowser2::GetLocationURL() {
  VARIANT result = GetProperty(dispidLocationUrl);
  CString location;
  if (result.vt == VT_BSTR && result.bstrVal) {
    int size = ::WideCharToMultiByte(CP_ACP, 0, result.bstrVal, -1, NULL, 0, NULL, NULL);
    if (size > 0) {
      char* text = location.GetBuffer(size);
      ::WideCharToMultiByte(CP_ACP, 0, result.bstrVal, -1, text, size, NULL, NULL);
      location.ReleaseBuffer();
    }
  }
  ::VariantClear(&result);
  return location;
}
