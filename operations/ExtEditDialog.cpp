// The extended edit dialog's window: its folder list and its buttons.
#include "operations/ExtEditDialog.h"

#include "plugin/ToolSettings.h"
#include "resources/resource.h"

ExtEditDialog::ExtEditDialog(CWnd* parent)
    : CDialog(IDD_EXT_EDIT, parent), replaceChecked(0), targetIndex(0), action(ActionNone), hostSettings(NULL), currentFolder(1) {}

INT_PTR ExtEditDialog::DoModalWithSettings(HostSettings* settings) {
  hostSettings = settings;
  return DoModal();
}

BOOL ExtEditDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  action = ActionNone;
  replaceChecked = 0;
  GetDlgItem(IDC_EXT_SEARCH).SetWindowText(searchText);
  GetDlgItem(IDC_EXT_REPLACE).SetWindowText(replaceText);
  GetDlgItem(IDC_EXT_REPLACE_CHECK).SetCheck(replaceChecked);
  FillFolderList();
  return TRUE;
}

// Each entry begins with its folder number, so the sorted list holds folder
// n at index n - 1.
void ExtEditDialog::FillFolderList() {
  CWindow list = GetDlgItem(IDC_EXT_FOLDERS);
  ToolSettings settings(hostSettings);
  for (int n = 1; n <= 5; ++n) {
    CString entry;
    if (!settings.IsFolderSet(n)) {
      entry.Format("%d: （設定なし）", n);
    } else {
      std::string name = settings.Read(FolderNameKey(n));
      entry.Format("%d: %s", n, (name.empty() ? settings.Read(FolderPathKey(n)) : name).c_str());
    }
    list.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.GetString()));
  }
  list.SendMessage(CB_SETCURSEL, currentFolder - 1);
}

bool ExtEditDialog::OnCommand(int notifyCode, int id, HWND control) {
  if (notifyCode == BN_CLICKED) {
    switch (id) {
      case IDC_EXT_STAMP:
        OnStampInsert();
        return true;
      case IDC_EXT_EXECUTE:
        OnExecute();
        return true;
      case IDC_EXT_MOVE:
        OnMove();
        return true;
      case IDC_EXT_REPLACE_CHECK:
        OnReplaceCheck();
        return true;
    }
  }
  return CDialog::OnCommand(notifyCode, id, control);
}

void ExtEditDialog::OnStampInsert() {
  action = ActionStamp;
  OnOK();
}

void ExtEditDialog::OnExecute() {
  searchText = GetDlgItem(IDC_EXT_SEARCH).GetWindowText();
  replaceText = GetDlgItem(IDC_EXT_REPLACE).GetWindowText();
  replaceChecked = GetDlgItem(IDC_EXT_REPLACE_CHECK).GetCheck() == BST_CHECKED;
  if (searchText.IsEmpty()) {
    EndRefused();
    return;
  }
  action = ActionDeleteOrReplace;
  OnOK();
}

void ExtEditDialog::OnMove() {
  targetIndex = static_cast<unsigned short>(GetDlgItem(IDC_EXT_FOLDERS).SendMessage(CB_GETCURSEL));
  // No entry chosen (0xFFFF) names no folder, so it reads as a folder not set.
  if (!ToolSettings(hostSettings).IsFolderSet(targetIndex + 1)) {
    EndRefused();
    return;
  }
  action = ActionMove;
  OnOK();
}

void ExtEditDialog::OnReplaceCheck() {
  replaceChecked = GetDlgItem(IDC_EXT_REPLACE_CHECK).GetCheck() == BST_CHECKED;
  GetDlgItem(IDC_EXT_REPLACE).EnableWindow(replaceChecked);
}

void ExtEditDialog::EndRefused() {
  action = ActionRefused;
  EndDialog(IDCANCEL);
}
