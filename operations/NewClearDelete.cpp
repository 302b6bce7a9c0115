// The new, clear and delete buttons.
#include <io.h>

#include "core/MemoPaths.h"
#include "core/SettingKeys.h"
#include "plugin/ToolPanel.h"

namespace {
const char createFailure[] = "メモファイルを作成できませんでした！";
const char deleteQuestion[] = "メモをを削除すると元ファイルも削除されます！\n本当によろしいですか？";
const char deleteFailure[] = "メモファイルを削除に失敗しました！";
const char cannotDelete[] = "このメモファイルは削除できません！";
const char readOnlyDelete[] = "このメモファイルは読取り専用のため削除できません！";
const char changedNotDeleted[] =
    "このメモはほかのプログラムで書き換えられていたため、削除しませんでした。\n書き換えられた内容を表示しています。";
}  // namespace

void ToolPanel::OnNewMemo() {
  memoNameDialog.SetFolderNumber(currentFolder);
  memoNameDialog.SetTitle("");
  if (RunMemoNameDialog() != IDOK) return;
  char title[sizeof(memoNameDialog.title)];
  memoNameDialog.TakeTitle(title);
  char folder[SettingValueSize], path[MAX_PATH];
  bool formed = MemoFolderPath(folder) && FormMemoFilePath(folder, title, ".txt", path, sizeof(path));
  // The file first, never over one that appeared since the dialog looked: a
  // memo that cannot be made leaves the open one open.
  if (!formed || !CreateEmptyMemoFile(path)) {
    ShowFailure(createFailure, formed ? ::GetLastError() : ERROR_FILENAME_EXCED_RANGE);
    return;
  }
  // The memo open now is closed next: when its edits cannot be saved it
  // stays open, and the new file goes again.
  if (!CloseMemo()) {
    DeleteMemoFile(path);
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
  // Through the control's undoable replace, so that Ctrl+Z brings the text
  // back; a memo only cleared is still unedited, and no close writes it.
  CWindow pane = TextPane();
  BOOL edited = pane.GetModify();
  pane.SetSel(0, -1);
  pane.ReplaceSel("", TRUE);
  pane.SetModify(edited);
  OnPaneEdited();
}

void ToolPanel::OnDeleteMemo() {
  if (ShowMessage(deleteQuestion, MB_ICONEXCLAMATION | MB_YESNO) != IDYES) return;
  char path[MAX_PATH];
  // An HTML memo owns no text file: a text memo of the same title is another memo.
  if (!IsMemoOpen() || currentKind != MemoKindText || memoSession.HasDeviceName() || !MemoFilePath(".txt", path) || _access(path, 0) != 0) {
    ShowMessage(cannotDelete, MB_ICONEXCLAMATION);
    return;
  }
  if (_access(path, 6) != 0) {
    ShowMessage(readOnlyDelete, MB_ICONEXCLAMATION);
    return;
  }
  // The user said yes to what the pane shows: a file another program
  // changed since is shown instead, for the user to decide again.
  if (memoSession.Check(true) == MemoDiskState::Changed) {
    LoadTextMemo(path);
    ShowMessage(changedNotDeleted, MB_ICONEXCLAMATION);
    return;
  }
  if (!MoveMemoFileToTrash(path)) {
    ShowFailure(deleteFailure, ::GetLastError());
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
