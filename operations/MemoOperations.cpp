// What the panel's memo operations share.
#include "plugin/ToolPanel.h"

INT_PTR ToolPanel::RunMemoNameDialog() {
  memoNameDialog.fileOps = &memo.Ops();
  ModalScope modal(*this);
  return memoNameDialog.DoModalWithSettings(hostSettings);
}
