// The new, clear and delete buttons.
#include <cstdio>
#include <io.h>

#include "MemoPaths.h"
#include "SettingKeys.h"
#include "ToolPanel.h"

namespace {
const char createFailure[] = "メモファイルを作成できませんでした！";
const char deleteQuestion[] = "メモをを削除すると元ファイルも削除されます！\n本当によろしいですか？";
const char deleteFailure[] = "メモファイルを削除に失敗しました！";
const char cannotDelete[] = "このメモファイルは削除できません！";
const char readOnlyDelete[] = "このメモファイルは読取り専用のため削除できません！";
}  // namespace

void ToolPanel::OnNewMemo() {
  memoNameDialog.SetFolderNumber(currentFolder);
  memoNameDialog.SetTitle("");
  if (RunMemoNameDialog() != IDOK) return;
  char title[sizeof(memoNameDialog.title)];
  memoNameDialog.TakeTitle(title);
  char folder[SettingValueSize], path[MAX_PATH];
  bool formed = MemoFolderPath(folder) && FormMemoFilePath(folder, title, ".txt", path, sizeof(path));
  FILE* file = formed ? fopen(path, "w") : NULL;
  if (!file) {
    ShowMessage(createFailure, MB_ICONEXCLAMATION);
    return;
  }
  fclose(file);
  int index = memoList->AddString(title);
  memoList->SetItemData(index, MemoKindText);
  // Its events close the open memo, saving it, and open the new one.
  memoList->SetCurSel(index);
}

void ToolPanel::OnClearMemo() { TextPane().SetWindowText(""); }

void ToolPanel::OnDeleteMemo() {
  if (ShowMessage(deleteQuestion, MB_ICONEXCLAMATION | MB_YESNO) != IDYES) return;
  char path[MAX_PATH];
  // An HTML memo owns no text file: a text memo of the same title is another memo.
  if (!IsMemoOpen() || currentKind != MemoKindText || !MemoFilePath(".txt", path) || _access(path, 0) != 0) {
    ShowMessage(cannotDelete, MB_ICONEXCLAMATION);
    return;
  }
  if (_access(path, 6) != 0) {
    ShowMessage(readOnlyDelete, MB_ICONEXCLAMATION);
    return;
  }
  if (!::DeleteFileA(path)) {
    ShowMessage(deleteFailure, MB_ICONEXCLAMATION);
    return;
  }
  // Setting the text clears the pane's modified flag: the close that the
  // next selection runs writes nothing back to the deleted file.
  OnClearMemo();
  SelectNeighbourOfDeleted();
}

// Removes the deleted memo's entry and opens the one that takes its place,
// or the new last one.
void ToolPanel::SelectNeighbourOfDeleted() {
  int index = memoList->GetCurSel();
  if (index < 0) {
    // A refill left the open memo without an entry: list the folder as it now is.
    ListMemos();
    currentTitle = "";
    return;
  }
  int left = memoList->DeleteString(index);
  if (left <= 0) {
    currentTitle = "";
    return;
  }
  if (index >= left) index = left - 1;
  // Its events close the deleted memo and open the neighbour.
  memoList->SetCurSel(index);
}
