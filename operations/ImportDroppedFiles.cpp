// Importing files dropped on the memo list: each text or HTML file is copied
// into the current memo folder under its own name.
#include <string>

#include "core/MemoImport.h"
#include "core/MemoPaths.h"
#include "core/MemoTitle.h"
#include "plugin/ToolPanel.h"

namespace {
const char importQuestion[] =
    "ドロップしたファイルをスクリビットにインポートします。\nメモフォルダにコピーを作成しますので、元ファイルは無くなりません。\n"
    "インポートしてもよろしいですか？";
const char copyFailure[] = "のコピーに失敗しました！";
const char unsupportedFile[] = "は未対応のファイル形式です。インポートに失敗しました。";
const char reservedName[] = "は予約されたデバイス名のため、インポートできません。";
const char destinationTooLong[] = "はコピー先のパスが長すぎるため、インポートできませんでした！";
}  // namespace

int ToolPanel::OnFilesDropped() {
  HDROP drop = NULL;
  if (!memoList->GetDropFileInfo(&drop)) return 0;
  UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, NULL, 0);
  if (ShowMessage(importQuestion, MB_ICONQUESTION | MB_YESNO) != IDYES) return 0;
  // Empty when the folder's path does not fit: each file then says so.
  std::string folder;
  ListedFolderPath(folder);
  bool imported = false;
  for (UINT k = 0; k < count; ++k) {
    std::string path(::DragQueryFileA(drop, k, NULL, 0) + 1, '\0');
    ::DragQueryFileA(drop, k, &path[0], static_cast<UINT>(path.size()));
    if (ImportDroppedFile(folder, path.c_str())) imported = true;
  }
  // The drop is only read: the list control releases it.
  if (imported) ListMemos();
  return 0;
}

// Copies one dropped file into the memo folder, never over a file there;
// says why when it does not.
bool ToolPanel::ImportDroppedFile(const std::string& folder, const char* path) {
  CString message = ImportFileName(path);
  if (!IsImportableExtension(ImportExtension(path))) {
    message += unsupportedFile;
    ShowMessage(message, MB_ICONSTOP);
    return false;
  }
  // A device takes whatever is copied to it, and nothing reaches the disk.
  if (IsReservedDeviceName(ImportFileName(path))) {
    message += reservedName;
    ShowMessage(message, MB_ICONSTOP);
    return false;
  }
  char destination[SettingValueSize];
  if (folder.empty() || !FormMemoFilePath(folder.c_str(), ImportFileName(path), "", destination, sizeof(destination))) {
    message += destinationTooLong;
    ShowMessage(message, MB_ICONEXCLAMATION);
    return false;
  }
  if (CopyToNewMemoFile(memo.Ops(), path, destination)) return true;
  message += copyFailure;
  ShowFailure(message, ::GetLastError());
  return false;
}
