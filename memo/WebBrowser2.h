// CWebBrowser2: the window of the WebBrowser control that shows HTML memos,
// driven through the control's automation interface.
#pragma once
#include <oaidl.h>

#include "framework/RuntimeClass.h"
#include "framework/Wnd.h"

class CWebBrowser2 : public CWnd {
public:
  DECLARE_DYNCREATE(CWebBrowser2)

  // Creates the WebBrowser control in a container window; className and
  // context are not used.
  BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
              void* context = NULL) override;
  // Pages show without running scripts, Java applets or ActiveX controls: a
  // memo opens in the Local Machine zone, where they would run with all the
  // user's rights. False when the container holds no control.
  bool BlockActiveContent();
  // The control's Visible property, and the window's own show state with it;
  // the panel shows and hides the pane only through this.
  void SetVisible(bool visible);
  void Navigate2(VARIANT* url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData, VARIANT* headers);
  // The address the control shows, as a code page 932 string; empty when unknown.
  CString GetLocationURL();
  // Whether the control made a document for what it shows (its Document property).
  bool HasDocument();
  // Whether a navigation is still under way (its Busy property).
  bool IsBusy();

private:
  // A property's value; VT_EMPTY when it cannot be had.
  VARIANT GetProperty(DISPID id);
  HRESULT Invoke(DISPID id, WORD flags, VARIANT* arguments, UINT count, VARIANT* result);
};

// The class identifier of the WebBrowser control.
extern const char WebBrowserClassId[];
