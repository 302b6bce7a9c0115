#include "settings/SettingsDialog.h"

#include <commdlg.h>

#include "settings/BrowseForFolder.h"
#include "core/Cp932.h"
#include "core/NameText.h"
#include "framework/WideText.h"
#include "plugin/ToolSettings.h"
#include "resources/resource.h"

namespace {

struct FolderRow {
  int pathEdit;
  int nameEdit;
  int browseButton;  // 0: folder 1 has none
};

const FolderRow folderRows[5] = {
    {IDC_SETTINGS_PATH1, IDC_SETTINGS_NAME1, 0},
    {IDC_SETTINGS_PATH2, IDC_SETTINGS_NAME2, IDC_SETTINGS_BROWSE2},
    {IDC_SETTINGS_PATH3, IDC_SETTINGS_NAME3, IDC_SETTINGS_BROWSE3},
    {IDC_SETTINGS_PATH4, IDC_SETTINGS_NAME4, IDC_SETTINGS_BROWSE4},
    {IDC_SETTINGS_PATH5, IDC_SETTINGS_NAME5, IDC_SETTINGS_BROWSE5},
};

const char dialogCaption[] = "スクリビット";
const char unspellablePath[] =
    "メモフォルダ %d のパスには、Shift_JIS（コードページ 932）で表せない文字が含まれているため、設定できません：\n%s\n"
    "ほかのフォルダを選んでください。";

const char editorFilter[] = "ﾌﾟﾛｸﾞﾗﾑ(*.exe)|*.exe|全てのﾌｧｲﾙ(*.*)|*.*|";

// The open-file dialog takes its filter as NUL-separated pairs ending in two
// NULs; a bar that is the second byte of a double-byte character stays.
void FilterFromBars(const char* bars, char* out) {
  for (;;) {
    unsigned char c = static_cast<unsigned char>(*bars);
    if (IsLeadByte(c) && bars[1] != '\0') {
      *out++ = *bars++;
      *out++ = *bars++;
      continue;
    }
    *out++ = c == '|' ? '\0' : *bars;
    if (c == '\0') return;
    ++bars;
  }
}

}  // namespace

SettingsDialog::SettingsDialog(CWnd* parent) : CDialog(IDD_SETTINGS, parent), hostSettings(NULL) {}

INT_PTR SettingsDialog::DoModalWithSettings(HostSettings* settings) {
  hostSettings = settings;
  return DoModal();
}

BOOL SettingsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  ToolSettings settings(hostSettings);
  for (int folder = 1; folder <= 5; ++folder) {
    const FolderRow& row = folderRows[folder - 1];
    CWindow pathEdit = GetDlgItem(row.pathEdit);
    pathEdit.SetWindowText(settings.Read(FolderPathKey(folder)).c_str());
    pathEdit.EnableWindow(folder != 1);
    CWindow nameEdit = GetDlgItem(row.nameEdit);
    nameEdit.SetWindowText(settings.Read(FolderNameKey(folder)).c_str());
    nameEdit.EnableWindow(folder != 1);
  }
  GetDlgItem(IDC_SETTINGS_EDITOR).SetWindowText(settings.Read(SettingKeys[EditorPathKey]).c_str());
  GetDlgItem(IDC_SETTINGS_STAMP).SetWindowText(settings.Read(SettingKeys[StampKey]).c_str());
  return TRUE;
}

void SettingsDialog::StoreField(int id, const char* key) {
  // Every reader of a setting passes 260 bytes, so a value keeps at most 259.
  char value[SettingValueSize];
  GetDlgItem(id).GetWindowText(value, sizeof(value));
  ToolSettings(hostSettings).Write(key, value);
}

void SettingsDialog::OnOK() {
  // The host keeps paths in code page 932: a look-alike of a path it cannot
  // spell would name another folder, or none.
  for (int folder = 2; folder <= 5; ++folder) {
    CWindow pathEdit = GetDlgItem(folderRows[folder - 1].pathEdit);
    std::u16string path = GetWideText(pathEdit);
    std::string stored;
    if (Cp932FromUtf8(Utf8FromUtf16(path), stored)) continue;
    std::u16string message = WideFromCp932(unspellablePath);
    std::u16string number = WideFromCp932(std::to_string(folder).c_str());
    message.replace(message.find(u"%d"), 2, number);
    message.replace(message.find(u"%s"), 2, path);
    ::MessageBoxW(m_hWnd, WidePointer(message), WidePointer(WideFromCp932(dialogCaption)), MB_ICONSTOP);
    pathEdit.SetFocus();
    return;
  }
  // Folder 1 goes back as it was shown, so its stored values never change here.
  for (int folder = 1; folder <= 5; ++folder) {
    StoreField(folderRows[folder - 1].pathEdit, FolderPathKey(folder));
    StoreField(folderRows[folder - 1].nameEdit, FolderNameKey(folder));
  }
  StoreField(IDC_SETTINGS_EDITOR, SettingKeys[EditorPathKey]);
  StoreField(IDC_SETTINGS_STAMP, SettingKeys[StampKey]);
  CDialog::OnOK();
}

bool SettingsDialog::OnCommand(int notifyCode, int id, HWND control) {
  if (notifyCode == BN_CLICKED) {
    if (id == IDC_SETTINGS_BROWSE_EDITOR) {
      OnBrowseEditor();
      return true;
    }
    for (int folder = 2; folder <= 5; ++folder)
      if (id == folderRows[folder - 1].browseButton) {
        OnBrowseFolder(folder);
        return true;
      }
  }
  return CDialog::OnCommand(notifyCode, id, control);
}

void SettingsDialog::OnBrowseFolder(int folder) {
  // The browser starts at the folder as stored, whatever the edit holds now.
  std::string stored = ToolSettings(hostSettings).Read(FolderPathKey(folder));
  std::u16string chosen;
  if (BrowseForFolder(NULL, stored.c_str(), chosen) == 1)
    ::SetWindowTextW(GetDlgItem(folderRows[folder - 1].pathEdit), WidePointer(chosen));
}

void SettingsDialog::OnBrowseEditor() {
  // The open-file dialog moves the process's current directory along with the
  // folders it shows, also when it is cancelled; the host shares that directory.
  char savedDirectory[MAX_PATH];
  DWORD savedLength = ::GetCurrentDirectoryA(sizeof(savedDirectory), savedDirectory);

  char filter[sizeof(editorFilter)];
  FilterFromBars(editorFilter, filter);
  char file[MAX_PATH] = "";
  OPENFILENAMEA request = {};
  request.lStructSize = sizeof(request);
  request.lpstrFilter = filter;
  request.nFilterIndex = 1;
  request.lpstrFile = file;
  request.nMaxFile = sizeof(file);
  request.lpstrTitle = "エディタを選択して下さい。";
  request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
  BOOL chosen = ::GetOpenFileNameA(&request);
  if (savedLength > 0 && savedLength < sizeof(savedDirectory)) ::SetCurrentDirectoryA(savedDirectory);
  if (chosen) GetDlgItem(IDC_SETTINGS_EDITOR).SetWindowText(file);
}
