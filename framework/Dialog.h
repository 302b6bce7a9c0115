// CDialog: a dialog from a template in the module's resources, modeless
// (Create) or modal (DoModal). One static dialog procedure hands every
// message to the object's virtual handlers.
#pragma once
#include "framework/Wnd.h"

// The host calls a tool's own operations by their slot number in the virtual
// table, counting from the first slot: its framework's dialog class fills
// slots 0 to 51, so the first operation a dialog class adds sits at slot 52.
// Our dialog has fewer operations of its own (CWnd: a destructor, which takes
// two slots with this compiler, and five more; CDialog: six), so the table is
// filled up to 52 with reserved entries that nothing calls.
#define AFX_RESERVED_SLOTS_4(n)        \
  virtual void ReservedSlot##n##a() {} \
  virtual void ReservedSlot##n##b() {} \
  virtual void ReservedSlot##n##c() {} \
  virtual void ReservedSlot##n##d() {}

class CDialog : public CWnd {
public:
  explicit CDialog(UINT templateId, CWnd* parent = NULL);
  ~CDialog() override;

  BOOL Create(UINT templateId, CWnd* parent);
  virtual INT_PTR DoModal();
  void EndDialog(int result);
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  bool IsModal() const { return runningModally; }
  void CenterOverOwner();

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  BOOL PreTranslateMessage(MSG* msg) override;

protected:
  // Returns true when the message was handled, with its result in result.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // WM_COMMAND; returns true when handled.
  virtual bool OnCommand(int notifyCode, int id, HWND control);

  AFX_RESERVED_SLOTS_4(0)
  AFX_RESERVED_SLOTS_4(1)
  AFX_RESERVED_SLOTS_4(2)
  AFX_RESERVED_SLOTS_4(3)
  AFX_RESERVED_SLOTS_4(4)
  AFX_RESERVED_SLOTS_4(5)
  AFX_RESERVED_SLOTS_4(6)
  AFX_RESERVED_SLOTS_4(7)
  AFX_RESERVED_SLOTS_4(8)
  virtual void ReservedSlot9a() {}
  virtual void ReservedSlot9b() {}
  virtual void ReservedSlot9c() {}

  UINT resourceId;
  CWnd* parentWindow;

private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool runningModally;
};

// The virtual table slot of the first operation a dialog class adds.
const int AfxFirstDialogExtensionSlot = 52;
