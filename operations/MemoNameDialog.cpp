#include "MemoNameDialog.h"

#include "resource.h"

MemoNameDialog::MemoNameDialog(CWnd* parent) : CDialog(IDD_MEMO_NAME, parent), folderNumber(1), hostSettings(NULL) { title[0] = '\0'; }

INT_PTR MemoNameDialog::DoModalWithSettings(HostSettings* settings) {
  hostSettings = settings;
  return DoModal();
}
