// The pane's and the memo list's own menus, the encoding the user chooses
// from the pane's, and the memo's history.
#include <windowsx.h>

#include "framework/WideText.h"
#include "operations/HistoryDialog.h"
#include "panel/PaneMenu.h"
#include "plugin/ToolPanel.h"

namespace {
const char cp932LosesQuestion[] =
    "このメモには、Shift_JIS（コードページ 932）で保存できない文字が含まれています：%s\n"
    "それらの文字を「?」に置き換えて、Shift_JIS で保存しますか？";
}  // namespace

void ToolPanel::OnPaneMenu(LPARAM at) {
  TextPane pane = Pane();
  PaneMenuState state = {memo.IsText(), memo.IsText() && !(pane.GetStyle() & ES_READONLY), memo.Reading(), memo.WrittenEncoding()};
  PaneMenuChoice choice;
  {
    ModalScope modal(*this);
    choice = TrackPaneMenu(pane, m_hWnd, POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)}, state);
  }
  if (choice.kind == PaneMenuChoice::ReadAs) OnReadAs(choice.encoding);
  if (choice.kind == PaneMenuChoice::ConvertTo) OnConvertTo(*choice.encoding);
  if (choice.kind == PaneMenuChoice::History) OnHistory();
}

void ToolPanel::OnListMenu(LPARAM at) {
  POINT point = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (at == -1) {
    RECT rect;
    ::GetWindowRect(memoList->GetSafeHwnd(), &rect);
    point = {rect.left, rect.top};
  }
  HMENU menu = ::CreatePopupMenu();
  ::AppendMenuA(menu, memo.IsText() ? MF_ENABLED : MF_GRAYED, 1, "履歴…(&H)");
  UINT id;
  {
    ModalScope modal(*this);
    id = static_cast<UINT>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, m_hWnd, NULL));
  }
  ::DestroyMenu(menu);
  if (id == 1) OnHistory();
}

void ToolPanel::OnHistory() {
  if (!memo.IsText()) return;
  HistoryDialog dialog(this);
  for (const MemoHistory::Version& version : memo.Versions())
    dialog.entries.push_back({version.time, version.size, memo.VersionText(version.path)});
  dialog.mayRestore = !(Pane().GetStyle() & ES_READONLY);
  INT_PTR result;
  {
    ModalScope modal(*this);
    result = dialog.DoModal();
  }
  // One edit Ctrl+Z takes back, saved as any edit is.
  if (result != IDOK || !memo.IsText() || (Pane().GetStyle() & ES_READONLY)) return;
  ReplacePaneText(0, -1, dialog.entries[dialog.chosen].text);
  // Ctrl+Z is the pane's: the keyboard goes back to it.
  Pane().SetFocus();
}

void ToolPanel::OnReadAs(std::optional<MemoEncoding> reading) {
  if (!memo.IsText()) return;
  // Edits reach the file first, in the encoding they were typed in.
  if (Pane().Edited() && !WriteMemoFile(MemoWriter::Editor)) return;
  ShowTextMemo(memo.LoadAs(reading));
}

void ToolPanel::OnConvertTo(MemoEncoding target) {
  TextPane pane = Pane();
  if (!memo.IsText() || (pane.GetStyle() & ES_READONLY)) return;
  if (target == MemoEncoding::Cp932) {
    std::u16string missing;
    std::u16string kept = WithoutCp932Missing(pane.Text(), &missing);
    if (!missing.empty()) {
      std::u16string question = WideFromCp932(cp932LosesQuestion);
      question.replace(question.find(u"%s"), 2, missing);
      ModalScope modal(*this);
      if (::MessageBoxW(m_hWnd, WidePointer(question), L"Scribbit", MB_ICONQUESTION | MB_YESNO) != IDYES) return;
      ReplacePaneText(0, -1, kept);
    }
  }
  // The pane is to be written even unedited: the conversion is the edit.
  if (memo.Encoding() == MemoEncoding::Utf16BeBom && target == MemoEncoding::Utf16LeBom) target = MemoEncoding::Utf16BeBom;
  memo.ConvertTo(target);
  if (memo.WrittenEncoding() != memo.Encoding()) pane.SetModify(TRUE);
}
