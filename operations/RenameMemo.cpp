// Renaming the open text memo: the list's rename request.
#include <cstring>

#include "core/MemoPaths.h"
#include "plugin/ToolPanel.h"

namespace {
const char cannotRename[] = "このメモは読取り専用です。メモ名を変更できません！";
const char renameFailure[] = "メモファイルの名前を変更できませんでした！\nメモは元の名前のままです。";

}  // namespace

int ToolPanel::OnRenameMemo() {
  char oldPath[MemoPathSize];
  // An HTML memo owns no text file: a text memo of the same title is another memo.
  if (!memo.IsText() || memo.HasDeviceName() || !memo.FilePath(".txt", oldPath) || !MemoFileExists(memo.Ops(), oldPath) ||
      IsMemoFileReadOnly(memo.Ops(), oldPath)) {
    ShowMessage(cannotRename, MB_ICONEXCLAMATION);
    return -1;
  }
  memoNameDialog.SetTitle(memo.Title().c_str());
  memoNameDialog.SetFolderNumber(currentFolder);
  if (RunMemoNameDialog() != IDOK) return 0;
  char title[sizeof(memoNameDialog.title)];
  memoNameDialog.TakeTitle(title);

  // The file itself takes the new name, so the memo's bytes never live only
  // in the pane, and a memo the pane shows cut keeps all of them.
  char newPath[MemoPathSize];
  if (!FormMemoFilePath(memo.Folder().c_str(), title, ".txt", newPath, sizeof(newPath))) {
    ShowFailure(renameFailure, ERROR_FILENAME_EXCED_RANGE);
    return -1;
  }
  if (!RenameMemoFile(memo.Ops(), oldPath, newPath)) {
    ShowFailure(renameFailure, ::GetLastError());
    return -1;
  }
  memo.History().Follow(oldPath, newPath);
  memo.Retitle(title);
  // A note after the title (a memo shown cut says why) stays.
  ShowMemoCaption();
  // The file keeps its bytes and time stamps under the new name: edits still
  // in the pane go to it at the next write, as before.
  int index = memoList->GetCurSel();
  if (index < 0) return -1;
  memoList->SetItemText(index, title);
  return 0;
}
