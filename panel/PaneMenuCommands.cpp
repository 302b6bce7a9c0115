// The pane's own menu, and the encoding the user chooses from it.
#include <windowsx.h>

#include "framework/WideText.h"
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
