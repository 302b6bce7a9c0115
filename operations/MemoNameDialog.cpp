#include "operations/MemoNameDialog.h"

#include <cstdio>
#include <cstring>

#include "framework/WideText.h"
#include "plugin/ToolSettings.h"
#include "store/MemoFile.h"
#include "core/MemoPaths.h"
#include "core/MemoTitle.h"
#include "core/NameText.h"
#include "core/SettingKeys.h"
#include "resources/resource.h"

namespace {
const char dialogCaption[] = "スクリビット";
const char forbiddenCharMessage[] =
    "メモタイトルとして適切ではありません。\nファイル名に使用できない文字「%s」が含まれています。（\\/:*?\"<>| "
    "と制御文字は使用できません）";
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

BOOL MemoNameDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  ::SetWindowTextW(GetDlgItem(IDC_MEMO_NAME_TITLE), WidePointer(Utf16FromUtf8(title)));
  return TRUE;
}

void MemoNameDialog::OnOK() {
  std::string typed = Utf8FromUtf16(GetWideText(GetDlgItem(IDC_MEMO_NAME_TITLE)));
  if (typed.empty()) {
    EndDialog(IDCANCEL);
    return;
  }
  if (typed.size() >= sizeof(title)) {
    Refuse(tooLongMessage);
    return;
  }
  const char* text = typed.c_str();
  if (char32_t forbidden = ForbiddenCharOf(text)) {
    // A control character shows as nothing: its code names it.
    char shown[8];
    std::snprintf(shown, sizeof(shown), forbidden < 0x20 ? "U+%04X" : "%c", static_cast<unsigned>(forbidden));
    std::u16string message = WideFromCp932(forbiddenCharMessage);
    message.replace(message.find(u"%s"), 2, WideFromCp932(shown));
    Refuse(message);
    return;
  }
  if (IsReservedDeviceName(text)) {
    Refuse(reservedNameMessage);
    return;
  }
  // The panel forms the memo's paths the same way in buffers of this size:
  // a title accepted here always fits there.
  std::string folder;
  char path[MemoPathSize];
  if (!ToolSettings(hostSettings).FolderPath(folderNumber, folder) || !FormMemoFilePath(folder.c_str(), text, ".txt", path, sizeof(path))) {
    Refuse(tooLongMessage);
    return;
  }
  if (MemoFileExists(*fileOps, path)) {
    Refuse(duplicateMessage);
    return;
  }
  memcpy(title, text, typed.size() + 1);
  CDialog::OnOK();
}

void MemoNameDialog::Refuse(const char* message) { Refuse(WideFromCp932(message)); }

void MemoNameDialog::Refuse(const std::u16string& message) {
  ::MessageBoxW(m_hWnd, WidePointer(message), WidePointer(WideFromCp932(dialogCaption)), MB_ICONSTOP);
  GetDlgItem(IDC_MEMO_NAME_TITLE).SetFocus();
}
