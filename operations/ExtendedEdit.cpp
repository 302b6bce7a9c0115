// The extended edit button: runs the dialog, then carries out the function
// chosen on the text pane (stamp, delete or replace) or on the file (move).
#include "plugin/ToolPanel.h"
#include "framework/WideText.h"

void ToolPanel::ReplacePaneText(int start, int end, const std::u16string& text) {
  // The control's undoable replace, so that Ctrl+Z brings the text back. A
  // stamp or a replacement may take the text past the typing limit, which
  // would cut it.
  CWindow pane = TextPane();
  UINT limit = pane.GetLimitText();
  size_t length = ::GetWindowTextLengthW(pane) + text.size();
  if (length > limit) pane.SetLimitText(static_cast<UINT>(length));
  ::SendMessageW(pane, EM_SETSEL, start, end);
  ::SendMessageW(pane, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(WidePointer(text)));
  pane.SetLimitText(limit);
  pane.SetModify(TRUE);
  OnPaneEdited();
}

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
  int end = ::GetWindowTextLengthW(TextPane());
  ReplacePaneText(end, end, extEditDialog.StampLine());
  CWindow pane = TextPane();
  pane.LineScroll(pane.GetLineCount());
}

void ToolPanel::DeleteOrReplaceInPane() {
  std::u16string text = PaneText();
  int count = extEditDialog.DeleteOrReplace(text);
  ReplacePaneText(0, -1, text);
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
