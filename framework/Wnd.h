// CWnd: the polymorphic window object that dialogs and controls derive from.
#pragma once
#include "framework/Window.h"

class CDataExchange;

// The host's own window objects keep their handle at byte offset 28 (after a
// virtual table pointer and 24 bytes of its framework's bookkeeping); the host
// search reads a window object of the host that way. This block reserves the
// same room so that a window object of ours reads alike.
struct CWndHostLayout {
  void* reservedByHostFramework[6];
};

class CWnd : private CWndHostLayout, public CWindow {
public:
  CWnd() {}
  explicit CWnd(HWND window) : CWindow(window) {}
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  virtual ~CWnd();

  // Message pre-translation from a thread's message loop; TRUE drops the message.
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Binds controls to members; called by UpdateData.
  virtual void DoDataExchange(CDataExchange* dx);
  // Creates a child window of the given class.
  virtual BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                      void* context = NULL);
  virtual BOOL DestroyWindow();
  // Messages a parent reflects to the object of one of its controls (WM_DRAWITEM).
  virtual bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // Binds the object to an existing window so its parent can reflect messages to it.
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  void Attach(HWND window);
  HWND Detach();
  static CWnd* FromAttachedHandle(HWND window);
};

// Dialog data exchange: the framework's binding of controls to members.
class CDataExchange {
public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
