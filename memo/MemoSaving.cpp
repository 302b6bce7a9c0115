// Writing the open text memo back to its file: on close, on the host's
// request to save the tool's state, and before the external editor starts.
// The session decides every write; here the user is asked what only the
// user may decide, and told what became of the edits.
#include "framework/WideText.h"
#include "plugin/NamedMessage.h"
#include "plugin/ToolPanel.h"

namespace {
const char readOnlyRefusal[] = "このメモは読取り専用です！\n編集を保存できませんでした。";
const char neverWriteRefusal[] = "このメモは全文を表示できないため読取り専用です！\n編集を保存できませんでした。";
const char writeFailure[] = "カレントメモフォルダパスにファイルが存在しません！\n編集を保存できませんでした。";
const char keptBeside[] = "このメモはほかのプログラムで書き換えられていました。\nパネルで編集した内容は、新しいメモ「%s」に保存しました。";
const char keepFailure[] = "このメモはほかのプログラムで書き換えられていました。\nパネルで編集した内容を保存できませんでした。";
const char rescued[] = "編集をメモに保存できなかったため、マイメモフォルダの新しいメモ「%s」に保存しました。";
const char rescuedForNextStart[] =
    "編集をメモに保存できなかったため、復元用のファイル「%s」に保存しました。\n次にパネルを開いたときに、メモとして復元します。";
const char rescueFailure[] = "編集をどのメモにも保存できませんでした。";
const char cp932LacksQuestion[] =
    "このメモには、Shift_JIS（コードページ 932）で保存できない文字が含まれています：%s\n"
    "メモを UTF-8（BOM 付き）で保存しますか？\n"
    "「いいえ」を選ぶと、編集した内容はパネルに開いたまま残ります。";

// The edits are where the user can find them, or stay in the pane.
bool EditsAreSafe(WriteOutcome outcome) {
  switch (outcome) {
    case WriteOutcome::Nothing:
    case WriteOutcome::Saved:
    case WriteOutcome::KeptBeside:
    case WriteOutcome::Reloaded:
    case WriteOutcome::NeverWrite:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool ToolPanel::CloseMemo() {
  if (memo.IsOpen() && currentSelection < 0) return false;
  TextPane pane = Pane();
  if (memo.IsText()) {
    WriteResult result = WriteOpenMemo(MemoWriter::Close);
    // Edits that went nowhere keep the memo open; an unedited pane has none
    // to lose.
    if (!EditsAreSafe(result.outcome) && pane.Edited()) return false;
    pane.Show(u"");
    pane.SetReadOnly(FALSE);
  } else if (memo.IsHtml()) {
    KillTimer(HtmlCheckTimer);
    if (browser.Exists()) NavigateBrowser("about:blank");
  }
  if (memo.IsOpen()) {
    pane.ShowWindow(SW_HIDE);
    pane.SetWindowText("none!");
    if (browser.Exists()) browser.SetVisible(false);
  }
  memo.Close();
  ShowNoMemo();
  return true;
}

int ToolPanel::WriteMemoFile(MemoWriter writer) {
  WriteResult result = WriteOpenMemo(writer);
  return result.outcome == WriteOutcome::Saved || result.outcome == WriteOutcome::Nothing;
}

WriteResult ToolPanel::WriteOpenMemo(MemoWriter writer) {
  TextPane pane = Pane();
  bool edited = pane.Edited();
  WriteResult result = memo.Write(pane.Text(), edited, writer);
  if (result.outcome == WriteOutcome::NeedsAnswer) {
    Utf8Answer answer = AskToSaveAsUtf8(result.missing) ? Utf8Answer::Yes : Utf8Answer::No;
    // While the box was up another program, or the host's SaveState, may
    // have changed the file or the pane: the write starts again from both
    // as they are now.
    edited = pane.Edited();
    result = memo.Write(pane.Text(), edited, writer, answer);
  }
  ShowWriteResult(result, writer == MemoWriter::Close, edited);
  return result;
}

void ToolPanel::ShowWriteResult(const WriteResult& result, bool closing, bool edited) {
  // Only a close is refused for reasons the user can act on; the host and
  // the editor go on without the write, as they always did.
  bool refused = closing && edited;
  switch (result.outcome) {
    case WriteOutcome::Saved:
      // The file holds the pane now: only later edits need writing.
      if (result.reread)
        ShowTextMemo(memo.View());
      else
        Pane().SetModify(FALSE);
      return;
    case WriteOutcome::KeptBeside: {
      std::string listed;
      if (ListedFolderPath(listed) && memo.Folder() == listed) {
        int index = memoList->AddString(result.keptTitle.c_str());
        memoList->SetItemData(index, MemoKindText);
      }
      // The edits are safe in their own memo: the pane shows the file as it
      // is now, also on its way to close, so that a SaveState while the
      // message is up neither keeps the edits twice nor writes them over
      // the other program's text.
      ShowTextMemo(memo.View());
      ShowMessage(NamedMessage(keptBeside, {result.keptTitle}), MB_ICONINFORMATION);
      return;
    }
    case WriteOutcome::Reloaded:
      ShowTextMemo(memo.View());
      return;
    case WriteOutcome::NeverWrite:
      if (refused) ShowMessage(neverWriteRefusal, MB_ICONSTOP);
      return;
    case WriteOutcome::ReadOnly:
      if (refused) ShowMessage(readOnlyRefusal, MB_ICONSTOP);
      return;
    case WriteOutcome::Failed:
      if (edited) ShowFailure(writeFailure, result.error);
      return;
    case WriteOutcome::KeepFailed:
      ShowFailure(keepFailure, result.error);
      return;
    case WriteOutcome::Nothing:
    case WriteOutcome::NeedsAnswer:
    case WriteOutcome::Declined:
      return;
  }
}

bool ToolPanel::AskToSaveAsUtf8(const std::u16string& missing) {
  std::u16string question = WideFromCp932(cp932LacksQuestion);
  question.replace(question.find(u"%s"), 2, missing);
  ModalScope modal(*this);
  return ::MessageBoxW(m_hWnd, WidePointer(question), L"Scribbit", MB_ICONQUESTION | MB_YESNO) == IDYES;
}

void ToolPanel::OnCheckDisk() {
  if (modalDepth > 0 || !memo.IsText()) return;
  TextPane pane = Pane();
  bool edited = pane.Edited();
  ShowWriteResult(memo.Refresh(pane.Text(), edited), false, edited);
}

// The panel goes away with edits that could not reach their memo's file:
// they become a memo of the tool's own folder, or, where that cannot be
// written, a recovery record that the next start turns into a memo.
void ToolPanel::RescueUnsavedEdits() {
  std::string folder1;
  // An unset folder 1 would put the memo at the root of a drive.
  Settings().FolderPath(1, folder1);
  MemoSession::Rescued rescue = memo.Rescue(Pane().Text(), folder1);
  switch (rescue.outcome) {
    case MemoSession::Rescued::InFolder1:
      ShowMessage(NamedMessage(rescued, {rescue.place}), MB_ICONINFORMATION);
      return;
    case MemoSession::Rescued::ForNextStart:
      ShowMessage(NamedMessage(rescuedForNextStart, {rescue.place}), MB_ICONINFORMATION);
      return;
    case MemoSession::Rescued::Lost:
      ShowMessage(rescueFailure, MB_ICONSTOP);
      return;
  }
}

void ToolPanel::ReplacePaneText(int start, int end, const std::u16string& text) {
  TextPane pane = Pane();
  pane.Replace(start, end, text);
  pane.SetModify(TRUE);
  OnPaneEdited();
}

int ToolPanel::SaveState() {
  // The panel's controls and state belong to its thread; the host may call from its own.
  if (!m_hWnd) return 0;
  return static_cast<int>(SendMessage(WM_PANEL_SAVE_STATE));
}

int ToolPanel::SaveStateOnPanelThread() {
  // The host waits for the answer: nothing here may wait for the user.
  ++hostWaiting;
  StoreWhereLeft();
  int result = 0;
  if (memo.IsText()) {
    WriteOutcome outcome = WriteOpenMemo(MemoWriter::Host).outcome;
    bool written = outcome == WriteOutcome::Saved || outcome == WriteOutcome::Nothing || outcome == WriteOutcome::KeptBeside ||
                   outcome == WriteOutcome::Reloaded;
    result = written && !memo.IsReadOnly() ? 1 : 0;
  }
  --hostWaiting;
  return result;
}
