#include "ExtEditDialog.h"

#include "resource.h"

ExtEditDialog::ExtEditDialog(CWnd* parent)
    : CDialog(IDD_EXT_EDIT, parent), replaceChecked(0), targetIndex(0), action(255), hostSettings(NULL) {}

INT_PTR ExtEditDialog::DoModalWithSettings(HostSettings* settings) {
  hostSettings = settings;
  return DoModal();
}
