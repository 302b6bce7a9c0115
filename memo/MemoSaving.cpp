// Writing the open text memo back to its file: on close, on the host's
// request to save the tool's state, and before the external editor starts.
#include <cstdio>
#include <io.h>

#include "SettingKeys.h"
#include "ToolPanel.h"

namespace {
const char readOnlyRefusal[] = "このメモは読取り専用です！\n編集を保存できませんでした。";
const char incompleteRefusal[] = "このメモは全文を表示できないため読取り専用です！\n編集を保存できませんでした。";
const char pathTooLongRefusal[] = "メモファイルのパスが長すぎます！\n編集を保存できませんでした。";
const char writeFailure[] = "カレントメモフォルダパスにファイルが存在しません！\n編集を保存できませんでした。";
}  // namespace

void ToolPanel::CloseMemo() {
  if (IsMemoOpen()) {
    if (currentSelection < 0) return;
    CWindow pane = TextPane();
    if (currentKind == MemoKindText) {
      if (!pane.GetModify()) {
        pane.SetReadOnly(FALSE);
      } else if (paneIncomplete) {
        // Writing the pane would drop the bytes it does not hold.
        ShowMessage(incompleteRefusal, MB_ICONSTOP);
        pane.SetReadOnly(FALSE);
      } else {
        char path[MAX_PATH];
        if (!MemoFilePath(".txt", path)) {
          ShowMessage(pathTooLongRefusal, MB_ICONEXCLAMATION);
          return;
        }
        if (_access(path, 0) == 0 && _access(path, 6) != 0) {
          ShowMessage(readOnlyRefusal, MB_ICONSTOP);
          return;
        }
        // A failed write keeps the memo open with its edits, as a refused one does.
        if (!WriteMemoFile(path)) return;
        pane.SetWindowText("");
        pane.SetModify(FALSE);
        pane.SetReadOnly(FALSE);
      }
    } else if (currentKind == MemoKindHtml) {
      if (browser.Exists()) NavigateBrowser("about:blank");
    }
    pane.ShowWindow(SW_HIDE);
    pane.SetWindowText("none!");
    if (browser.Exists()) browser.SetVisible(false);
  }
  paneIncomplete = false;
  currentTitle = NoMemoTitle;
  TitleCaption().SetWindowText(NoMemoTitle);
  CWindow toggle = ReadOnlyToggle();
  toggle.SetCheck(BST_UNCHECKED);
  toggle.EnableWindow(TRUE);
}

CString ToolPanel::PaneText() const { return TextPane().GetWindowText(); }

int ToolPanel::WriteMemoFile(const char* path) {
  if (paneIncomplete) return 0;
  if (_access(path, 0) == 0 && _access(path, 6) != 0) return 0;
  FILE* file = fopen(path, "wb+");
  if (!file) {
    ShowMessage(writeFailure, MB_ICONEXCLAMATION);
    return 0;
  }
  // The whole text the pane holds: a stamp or a replacement may have taken it
  // past the typing limit, and none of it may be dropped.
  CString text = PaneText();
  size_t length = static_cast<size_t>(text.GetLength());
  bool written = fwrite(text.GetString(), 1, length, file) == length;
  if (fclose(file) != 0) written = false;
  if (!written) {
    ShowMessage(writeFailure, MB_ICONEXCLAMATION);
    return 0;
  }
  return 1;
}

int ToolPanel::SaveState() {
  // The panel's controls and state belong to its thread; the host may call from its own.
  if (!m_hWnd) return 0;
  return static_cast<int>(SendMessage(WM_PANEL_SAVE_STATE));
}

int ToolPanel::SaveStateOnPanelThread() {
  StorePosition();
  if (!IsMemoOpen()) return 0;
  if (currentKind == MemoKindHtml) return 0;
  char path[MAX_PATH];
  if (!MemoFilePath(".txt", path)) return 0;
  return WriteMemoFile(path);
}
