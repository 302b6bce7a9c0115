// The extended edit button: runs the dialog, then carries out the function
// chosen on the text pane (stamp, delete or replace) or on the file (move).
#include "plugin/ToolPanel.h"

namespace {
const char noMemoOpen[] = "メモが開かれていません。\n拡張編集機能は使用できません！";
const char readOnlyMemo[] = "開いているメモは読取り専用です。\n拡張編集機能は使用できません！";
const char foundFormat[] = "%d箇所の該当箇所がありました。";
const char noneFound[] = "該当箇所はありませんでした。";
const char moveTooLong[] = "移動先のパスが長すぎるため、メモを移動できませんでした！";
const char moveFailure[] = "メモを移動できませんでした！\nメモは元のフォルダにあります。";
}  // namespace

void ToolPanel::OnExtendedEdit() {
  if (!memo.IsOpen()) {
    ShowMessage(noMemoOpen, MB_ICONEXCLAMATION);
    return;
  }
  // A pane that does not hold the whole file is read-only too.
  if (memo.NeverWrites() != NeverWriteReason::None || ReadOnlyToggle().GetCheck() == BST_CHECKED) {
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
  TextPane pane = Pane();
  int end = pane.TextLength();
  ReplacePaneText(end, end, extEditDialog.StampLine());
  pane.LineScroll(pane.GetLineCount());
}

void ToolPanel::DeleteOrReplaceInPane() {
  std::u16string text = Pane().Text();
  int count = extEditDialog.DeleteOrReplace(text);
  ReplacePaneText(0, -1, text);
  // The result is shown from its top, as a text set anew would be.
  Pane().SetSel(0, 0);
  Pane().SendMessage(EM_SCROLLCARET);
  if (count > 0) {
    CString found;
    found.Format(foundFormat, count);
    ShowMessage(found, MB_ICONINFORMATION);
  } else {
    ShowMessage(noneFound, MB_ICONINFORMATION);
  }
}

void ToolPanel::MoveOpenMemo() {
  if (!memo.IsText()) return;
  // The memo's own folder: a close refused earlier may have kept it open
  // while the list moved on to another folder.
  std::string folder = memo.Folder(), title = memo.Title();
  // A refused close keeps the memo open with its edits: its file stays too.
  if (!CloseMemo()) return;
  if (!extEditDialog.MoveMemoFile(memo.History(), memo.Ops(), folder, title.c_str())) {
    DWORD error = ::GetLastError();
    if (error == ERROR_FILENAME_EXCED_RANGE)
      ShowMessage(moveTooLong, MB_ICONEXCLAMATION);
    else
      ShowFailure(moveFailure, error);
  }
  ListMemos();
}
