// The new, clear and delete buttons.
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
  // The memo open now is closed first: when its edits cannot be saved it
  // stays open, and no file is made.
  if (!CloseMemo()) return;
  char folder[SettingValueSize], path[MAX_PATH];
  bool formed = MemoFolderPath(folder) && FormMemoFilePath(folder, title, ".txt", path, sizeof(path));
  // Never over a file that appeared since the dialog looked.
  if (!formed || !CreateEmptyMemoFile(path)) {
    ShowMessage(createFailure, MB_ICONEXCLAMATION);
    return;
  }
  int index = memoList->AddString(title);
  memoList->SetItemData(index, MemoKindText);
  // Its event opens the new memo.
  memoList->SetCurSel(index);
  // What is typed next goes into the new memo.
  if (IsMemoOpen() && currentKind == MemoKindText) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(TextPane().m_hWnd), TRUE);
}

void ToolPanel::OnClearMemo() {
  TextPane().SetWindowText("");
  OnPaneEdited();
}

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
  if (!DeleteMemoFile(path)) {
    ShowMessage(deleteFailure, MB_ICONEXCLAMATION);
    return;
  }
  // The deleted memo's text is discarded, never written back: the close
  // that the next selection runs finds no memo open.
  // With no memo open, nothing typed into the pane could reach a file.
  OnClearMemo();
  TextPane().SetReadOnly(TRUE);
  memoSession.Close();
  currentTitle = NoMemoTitle;
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
  // Its event opens the neighbour.
  memoList->SetCurSel(index);
}
