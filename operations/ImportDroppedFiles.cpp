// Importing files dropped on the memo list: each text or HTML file is copied
// into the current memo folder under its own name.
#include <string>

#include "core/MemoImport.h"
#include "core/MemoPaths.h"
#include "core/MemoTitle.h"
#include "plugin/NamedMessage.h"
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
  UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, NULL, 0);
  if (ShowMessage(importQuestion, MB_ICONQUESTION | MB_YESNO) != IDYES) return 0;
  // Empty when the folder's path does not fit: each file then says so.
  std::string folder;
  ListedFolderPath(folder);
  bool imported = false;
  for (UINT k = 0; k < count; ++k) {
    std::wstring path(::DragQueryFileW(drop, k, NULL, 0) + 1, L'\0');
    path.resize(::DragQueryFileW(drop, k, &path[0], static_cast<UINT>(path.size())));
    if (ImportDroppedFile(folder, Utf8FromUtf16(reinterpret_cast<const char16_t*>(path.data()), path.size()).c_str())) imported = true;
  }
  // The drop is only read: the list control releases it.
  if (imported) ListMemos();
  return 0;
}

// Copies one dropped file into the memo folder, never over a file there;
// says why when it does not.
bool ToolPanel::ImportDroppedFile(const std::string& folder, const char* path) {
  std::u16string name = NamedMessage("%s", {ImportFileName(path)});
  if (!IsImportableExtension(ImportExtension(path))) {
    ShowMessage(name + WideFromCp932(unsupportedFile), MB_ICONSTOP);
    return false;
  }
  // A device takes whatever is copied to it, and nothing reaches the disk.
  if (IsReservedDeviceName(ImportFileName(path))) {
    ShowMessage(name + WideFromCp932(reservedName), MB_ICONSTOP);
    return false;
  }
  char destination[MemoPathSize];
  if (folder.empty() || !FormMemoFilePath(folder.c_str(), ImportFileName(path), "", destination, sizeof(destination))) {
    ShowMessage(name + WideFromCp932(destinationTooLong), MB_ICONEXCLAMATION);
    return false;
  }
  if (CopyToNewMemoFile(memo.Ops(), path, destination)) return true;
  ShowFailure(name + WideFromCp932(copyFailure), ::GetLastError());
  return false;
}
