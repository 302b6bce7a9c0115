// The extended edit button: runs the dialog, then carries out the function
// chosen on the text pane (stamp, delete or replace) or on the file (move).
#include "ToolPanel.h"

namespace {
const char noMemoOpen[] = "メモが開かれていません。\n拡張編集機能は使用できません！";
const char readOnlyMemo[] = "開いているメモは読取り専用です。\n拡張編集機能は使用できません！";
const char foundFormat[] = "%d箇所の該当箇所がありました。";
const char noneFound[] = "該当箇所はありませんでした。";
const char moveTooLong[] = "移動先のパスが長すぎるため、メモを移動できませんでした！";
}  // namespace

void ToolPanel::OnExtendedEdit() {
  if (!IsMemoOpen()) {
    ShowMessage(noMemoOpen, MB_ICONEXCLAMATION);
    return;
  }
  // A pane that does not hold the whole file is read-only too.
  if (memoSession.incomplete || ReadOnlyToggle().GetCheck() == BST_CHECKED) {
    ShowMessage(readOnlyMemo, MB_ICONEXCLAMATION);
    return;
  }
  extEditDialog.SetCurrentFolder(currentFolder);
  INT_PTR result;
  {
    ModalScope modal(*this);
    result = extEditDialog.DoModalWithSettings(hostSettings);
  }
  if (result != IDOK) return;
  switch (extEditDialog.GetAction()) {
    case ExtEditDialog::ActionStamp:
      StampPane();
      break;
    case ExtEditDialog::ActionDeleteOrReplace:
      DeleteOrReplaceInPane();
      break;
    case ExtEditDialog::ActionMove:
      MoveOpenMemo();
      break;
  }
}

void ToolPanel::StampPane() {
  CWindow pane = TextPane();
  CString text = pane.GetWindowText();
  extEditDialog.AppendStamp(text);
  pane.SetWindowText(text);
  pane.LineScroll(pane.GetLineCount());
  pane.SetModify(TRUE);
  OnPaneEdited();
}

void ToolPanel::DeleteOrReplaceInPane() {
  CWindow pane = TextPane();
  CString text = pane.GetWindowText();
  int count = extEditDialog.DeleteOrReplace(text);
  // Through the control's undoable replace, so that Ctrl+Z brings the text
  // back. A replace may take the text past the typing limit, which would cut it.
  UINT limit = pane.GetLimitText();
  if (static_cast<UINT>(text.GetLength()) > limit) pane.SetLimitText(text.GetLength());
  pane.SetSel(0, -1);
  pane.ReplaceSel(text, TRUE);
  pane.SetLimitText(limit);
  pane.SetModify(TRUE);
  OnPaneEdited();
  if (count > 0) {
    CString found;
    found.Format(foundFormat, count);
    ShowMessage(found, MB_ICONINFORMATION);
  } else {
    ShowMessage(noneFound, MB_ICONINFORMATION);
  }
}

void ToolPanel::MoveOpenMemo() {
  if (currentKind == MemoKindHtml) return;
  // The memo's own folder: a close refused earlier may have kept it open
  // while the list moved on to another folder.
  CString folder = memoSession.Folder().c_str();
  CString title = currentTitle;
  CloseMemo();
  // A refused close keeps the memo open with its edits: its file stays too.
  if (IsMemoOpen()) return;
  if (!extEditDialog.MoveMemoFile(folder, title) && ::GetLastError() == ERROR_FILENAME_EXCED_RANGE)
    ShowMessage(moveTooLong, MB_ICONEXCLAMATION);
  ListMemos();
}
