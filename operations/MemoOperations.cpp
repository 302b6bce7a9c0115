// What the panel's memo operations share.
#include "ToolPanel.h"

INT_PTR ToolPanel::RunMemoNameDialog() {
  modalFlag = 1;
  INT_PTR result = memoNameDialog.DoModalWithSettings(hostSettings);
  modalFlag = 0;
  return result;
}
