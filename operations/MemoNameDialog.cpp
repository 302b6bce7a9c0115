#include "operations/MemoNameDialog.h"

#include <cstring>

#include "plugin/ToolSettings.h"
#include "store/MemoFile.h"
#include "core/MemoPaths.h"
#include "core/MemoTitle.h"
#include "core/SettingKeys.h"
#include "resources/resource.h"

namespace {
const char dialogCaption[] = "スクリビット";
const char forbiddenCharMessage[] = "メモタイトルとして適切ではありません。\nファイル名に使用できない文字は使用できません。（\\/:*?\"<>|）";
const char reservedNameMessage[] =
    "メモタイトルとして適切ではありません。\nCON、PRN、AUX、NUL、COM1～COM9、LPT1～LPT9 はデバイス名のため、ファイル名に使用できません。";
const char duplicateMessage[] = "その名前のメモは既に登録されています！";
const char tooLongMessage[] = "メモタイトルが長すぎます！\nメモファイルのパスが長すぎるため使用できません。";
}  // namespace

MemoNameDialog::MemoNameDialog(CWnd* parent)
    : CDialog(IDD_MEMO_NAME, parent), folderNumber(1), hostSettings(NULL), fileOps(&PlatformMemoFileOps()) {
  title[0] = '\0';
}

INT_PTR MemoNameDialog::DoModalWithSettings(HostSettings* settings) {
  hostSettings = settings;
  return DoModal();
}

void MemoNameDialog::SetTitle(const char* text) { ::lstrcpynA(title, text, sizeof(title)); }

void MemoNameDialog::SetFolderNumber(short number) { folderNumber = number; }

void MemoNameDialog::TakeTitle(char* out) {
  memcpy(out, title, sizeof(title));
  title[0] = '\0';
}

int MemoNameDialog::HasForbiddenChar(const char* text) { return ::HasForbiddenChar(text) ? 1 : 0; }

BOOL MemoNameDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  GetDlgItem(IDC_MEMO_NAME_TITLE).SetWindowText(title);
  return TRUE;
}

void MemoNameDialog::OnOK() {
  char text[sizeof(title)];
  GetDlgItem(IDC_MEMO_NAME_TITLE).GetWindowText(text, sizeof(text));
  if (text[0] == '\0') {
    EndDialog(IDCANCEL);
    return;
  }
  if (HasForbiddenChar(text)) {
    Refuse(forbiddenCharMessage);
    return;
  }
  if (IsReservedDeviceName(text)) {
    Refuse(reservedNameMessage);
    return;
  }
  // The panel forms the memo's paths the same way in buffers of this size:
  // a title accepted here always fits there.
  std::string folder;
  char path[MAX_PATH];
  if (!ToolSettings(hostSettings).FolderPath(folderNumber, folder) || !FormMemoFilePath(folder.c_str(), text, ".txt", path, sizeof(path))) {
    Refuse(tooLongMessage);
    return;
  }
  if (MemoFileExists(*fileOps, path)) {
    Refuse(duplicateMessage);
    return;
  }
  memcpy(title, text, sizeof(title));
  CDialog::OnOK();
}

void MemoNameDialog::Refuse(const char* message) {
  ::MessageBoxA(m_hWnd, message, dialogCaption, MB_ICONSTOP);
  GetDlgItem(IDC_MEMO_NAME_TITLE).SetFocus();
}
