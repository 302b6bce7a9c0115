// What the panel's memo operations share.
#include "ToolPanel.h"

bool ToolPanel::IsMemoOpen() const { return !currentTitle.IsEmpty() && currentTitle != NoMemoTitle; }

INT_PTR ToolPanel::RunMemoNameDialog() {
  modalFlag = 1;
  INT_PTR result = memoNameDialog.DoModalWithSettings(hostSettings);
  modalFlag = 0;
  return result;
}
