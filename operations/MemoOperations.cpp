// What the panel's memo operations share.
#include "ToolPanel.h"

INT_PTR ToolPanel::RunMemoNameDialog() {
  ModalScope modal(*this);
  return memoNameDialog.DoModalWithSettings(hostSettings);
}
