#include "framework/Dialog.h"

#include "framework/ControlContainer.h"
#include "framework/WinApp.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : resourceId(templateId), parentWindow(parent), runningModally(false) {}

CDialog::~CDialog() {
  if (m_hWnd && ::IsWindow(m_hWnd) && !runningModally) ::DestroyWindow(m_hWnd);
}

BOOL CDialog::Create(UINT id, CWnd* parent) {
  resourceId = id;
  parentWindow = parent;
  runningModally = false;
  AfxPrepareControlContainer();
  HWND window = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), parent ? parent->m_hWnd : NULL, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
  return window != NULL;
}

INT_PTR CDialog::DoModal() {
  runningModally = true;
  AfxPrepareControlContainer();
  // Without a parent the dialog belongs to the calling thread's active window,
  // which stays disabled while the dialog runs.
  HWND owner = parentWindow ? parentWindow->m_hWnd : ::GetActiveWindow();
  INT_PTR result =
      ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(resourceId), owner, DialogProc, reinterpret_cast<LPARAM>(this));
  runningModally = false;
  return result;
}

void CDialog::EndDialog(int result) {
  if (runningModally)
    ::EndDialog(m_hWnd, result);
  else
    ::ShowWindow(m_hWnd, SW_HIDE);
}

void CDialog::CenterOverOwner() {
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  RECT area, dialogRect;
  if (!owner || !::IsWindowVisible(owner) || ::IsIconic(owner) || !::GetWindowRect(owner, &area)) {
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  ::GetWindowRect(m_hWnd, &dialogRect);
  int width = dialogRect.right - dialogRect.left, height = dialogRect.bottom - dialogRect.top;
  int x = area.left + (area.right - area.left - width) / 2;
  int y = area.top + (area.bottom - area.top - height) / 2;
  ::SetWindowPos(m_hWnd, NULL, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  UpdateData(TRUE);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

// Wide, as every message loop of ours is: the message was taken with GetMessageW.
BOOL CDialog::PreTranslateMessage(MSG* msg) { return m_hWnd && ::IsDialogMessageW(m_hWnd, msg); }

bool CDialog::OnCommand(int notifyCode, int id, HWND) {
  if (notifyCode != BN_CLICKED) return false;
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

bool CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      result = OnInitDialog();
      return true;
    case WM_COMMAND:
      return OnCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: {
      const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      CWnd* control = item->CtlType == ODT_MENU ? NULL : CWnd::FromAttachedHandle(item->hwndItem);
      return control && control->OnReflectedMessage(message, wParam, lParam, result);
    }
  }
  return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* dialog;
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<CDialog*>(lParam);
    ::SetWindowLongPtrA(window, DWLP_USER, lParam);
    dialog->Attach(window);
  } else {
    dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
  }
  if (!dialog) return FALSE;

  LRESULT result = 0;
  bool handled = dialog->OnMessage(message, wParam, lParam, result);
  // A modal dialog opens over the window it belongs to.
  if (message == WM_INITDIALOG && dialog->runningModally) dialog->CenterOverOwner();
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, DWLP_USER, 0);
    dialog->Detach();
    return FALSE;
  }
  if (!handled) return FALSE;
  switch (message) {
    // These return their result directly rather than through DWLP_MSGRESULT.
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return static_cast<INT_PTR>(result);
  }
  ::SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
  return TRUE;
}
