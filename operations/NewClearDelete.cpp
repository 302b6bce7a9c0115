// The new, clear and delete buttons.
#include "core/MemoPaths.h"
#include "plugin/ToolPanel.h"

namespace {
const char createFailure[] = "メモファイルを作成できませんでした！";
const char deleteQuestion[] = "メモをを削除すると元ファイルも削除されます！\n本当によろしいですか？";
const char deleteFailure[] = "メモファイルを削除に失敗しました！";
const char cannotDelete[] = "このメモファイルは削除できません！";
const char readOnlyDelete[] = "このメモファイルは読取り専用のため削除できません！";
const char changedNotDeleted[] =
    "このメモはほかのプログラムで書き換えられていたため、削除しませんでした。\n書き換えられた内容を表示しています。";
const char deleteForGoodQuestion[] =
    "このメモはごみ箱に移せません（ネットワークやリムーバブルのドライブ、ごみ箱より大きいファイル、ごみ箱を使わない設定など）。\n"
    "削除すると元に戻せません。完全に削除しますか？";
}  // namespace

void ToolPanel::OnNewMemo() {
  memoNameDialog.SetFolderNumber(currentFolder);
  memoNameDialog.SetTitle("");
  if (RunMemoNameDialog() != IDOK) return;
  char title[sizeof(memoNameDialog.title)];
  memoNameDialog.TakeTitle(title);
  std::string folder;
  char path[MemoPathSize];
  bool formed = ListedFolderPath(folder) && FormMemoFilePath(folder.c_str(), title, ".txt", path, sizeof(path));
  // The file first, never over one that appeared since the dialog looked: a
  // memo that cannot be made leaves the open one open.
  if (!formed || !CreateEmptyMemoFile(memo.Ops(), path)) {
    ShowFailure(createFailure, formed ? ::GetLastError() : ERROR_FILENAME_EXCED_RANGE);
    return;
  }
  // The memo open now is closed next: when its edits cannot be saved it
  // stays open, and the new file goes again.
  if (!CloseMemo()) {
    DeleteMemoFile(memo.Ops(), path);
    return;
  }
  int index = memoList->AddString(title);
  memoList->SetItemData(index, MemoKindText);
  // Its event opens the new memo.
  memoList->SetCurSel(index);
  // What is typed next goes into the new memo.
  if (memo.IsText()) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Pane().m_hWnd), TRUE);
}

void ToolPanel::OnClearMemo() {
  // Through the control's undoable replace, so that Ctrl+Z brings the text
  // back. Emptied so, the pane is unedited, as a pane whose text was set
  // is: only typing after it makes a close write the empty text.
  TextPane pane = Pane();
  pane.Replace(0, -1, u"");
  pane.SetModify(FALSE);
  OnPaneEdited();
}

void ToolPanel::OnDeleteMemo() {
  if (ShowMessage(deleteQuestion, MB_ICONEXCLAMATION | MB_YESNO) != IDYES) return;
  char path[MemoPathSize];
  // An HTML memo owns no text file: a text memo of the same title is another memo.
  if (!memo.IsText() || memo.HasDeviceName() || !memo.FilePath(".txt", path) || !MemoFileExists(memo.Ops(), path)) {
    ShowMessage(cannotDelete, MB_ICONEXCLAMATION);
    return;
  }
  if (IsMemoFileReadOnly(memo.Ops(), path)) {
    ShowMessage(readOnlyDelete, MB_ICONEXCLAMATION);
    return;
  }
  // The user said yes to what the pane shows: a file another program
  // changed since is shown instead, for the user to decide again.
  if (memo.Check(true) == MemoDiskState::Changed) {
    LoadTextMemo();
    ShowMessage(changedNotDeleted, MB_ICONEXCLAMATION);
    return;
  }
  // A copy, not a second name: the bin is told from the shell's deleting
  // for good by the file's names.
  const std::string version = memo.History().Keep(path, memo.LoadedBytes(), true);
  switch (TrashMemoFile(memo.Ops(), path)) {
    case TrashResult::Trashed:
      break;
    case TrashResult::NotTrashable:
      // The memo is still there: gone for good only when the user says so.
      if (ShowMessage(deleteForGoodQuestion, MB_ICONEXCLAMATION | MB_YESNO | MB_DEFBUTTON2) != IDYES) {
        memo.History().Drop(version);
        return;
      }
      if (!DeleteMemoFile(memo.Ops(), path)) {
        memo.History().Drop(version);
        ShowFailure(deleteFailure, ::GetLastError());
        return;
      }
      break;
    case TrashResult::Failed:
      memo.History().Drop(version);
      ShowFailure(deleteFailure, ::GetLastError());
      return;
  }
  memo.History().MarkRemoved(path);
  // The deleted memo's text is discarded, never written back: the close
  // that the next selection runs finds no memo open.
  // With no memo open, nothing typed into the pane could reach a file.
  OnClearMemo();
  Pane().SetReadOnly(TRUE);
  memo.Close();
  SelectNeighbourOfDeleted();
}

// Removes the deleted memo's entry and opens the one that takes its place,
// or the new last one.
void ToolPanel::SelectNeighbourOfDeleted() {
  int index = memoList->GetCurSel();
  if (index < 0) {
    // A refill left the open memo without an entry: list the folder as it now is.
    ListMemos();
    return;
  }
  int left = memoList->DeleteString(index);
  if (left <= 0) return;
  if (index >= left) index = left - 1;
  // Its event opens the neighbour.
  memoList->SetCurSel(index);
}
