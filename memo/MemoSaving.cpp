// Writing the open text memo back to its file: on close, on the host's
// request to save the tool's state, and before the external editor starts.
// A write replaces the file only once the new text is whole on the disk, and
// never over a file that another program changed meanwhile.
#include "core/MemoPaths.h"
#include "core/SettingKeys.h"
#include "plugin/ToolPanel.h"
#include "framework/WideText.h"

namespace {
const char readOnlyRefusal[] = "このメモは読取り専用です！\n編集を保存できませんでした。";
const char incompleteRefusal[] = "このメモは全文を表示できないため読取り専用です！\n編集を保存できませんでした。";
const char pathTooLongRefusal[] = "メモファイルのパスが長すぎます！\n編集を保存できませんでした。";
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
}  // namespace

bool ToolPanel::CloseMemo() {
  if (IsMemoOpen()) {
    if (currentSelection < 0) return false;
    CWindow pane = TextPane();
    if (currentKind == MemoKindText) {
      char path[MAX_PATH];
      if (memoSession.incomplete) {
        // Writing the pane would drop the bytes it does not hold.
        if (pane.GetModify()) ShowMessage(incompleteRefusal, MB_ICONSTOP);
      } else if (!MemoFilePath(".txt", path)) {
        if (pane.GetModify()) {
          ShowMessage(pathTooLongRefusal, MB_ICONEXCLAMATION);
          return false;
        }
      } else {
        DiskSync sync = SyncWithDisk(path, false, pane.GetModify());
        if (sync == DiskSync::Failed) return false;
        bool edited = pane.GetModify();
        if (sync == DiskSync::Current && edited) {
          if (memoSession.IsReadOnly()) {
            ShowMessage(readOnlyRefusal, MB_ICONSTOP);
            return false;
          }
          if (!WriteMemoFile(path)) return false;
        } else if (sync == DiskSync::Vanished && !RestoreVanishedFile(path) && edited) {
          return false;
        }
      }
      pane.SetWindowText("");
      pane.SetModify(FALSE);
      pane.SetReadOnly(FALSE);
    } else if (currentKind == MemoKindHtml) {
      KillTimer(HtmlCheckTimer);
      if (browser.Exists()) NavigateBrowser("about:blank");
    }
    pane.ShowWindow(SW_HIDE);
    pane.SetWindowText("none!");
    if (browser.Exists()) browser.SetVisible(false);
  }
  memoSession.Close();
  currentTitle = NoMemoTitle;
  TitleCaption().SetWindowText(NoMemoTitle);
  CWindow toggle = ReadOnlyToggle();
  toggle.SetCheck(BST_UNCHECKED);
  toggle.EnableWindow(TRUE);
  return true;
}

std::u16string ToolPanel::PaneText() const { return GetWideText(TextPane()); }

std::string ToolPanel::NewMemoBytes(const std::u16string& text) const {
  std::string bytes;
  if (!EncodeMemoText(text.data(), text.size(), memoSession.encoding, bytes))
    EncodeMemoText(text.data(), text.size(), MemoEncoding::Utf8Bom, bytes);
  return bytes;
}

bool ToolPanel::AskToSaveAsUtf8(const std::u16string& missing) {
  std::u16string question = WideFromCp932(cp932LacksQuestion);
  question.replace(question.find(u"%s"), 2, missing);
  ModalScope modal(*this);
  return ::MessageBoxW(m_hWnd, WidePointer(question), L"Scribbit", MB_ICONQUESTION | MB_YESNO) == IDYES;
}

int ToolPanel::WriteMemoFile(const char* path) {
  if (memoSession.incomplete || memoSession.IsReadOnly()) return 0;
  return WritePane(path);
}

int ToolPanel::WritePane(const char* path) {
  std::u16string text = PaneText();
  std::string bytes;
  std::u16string missing;
  writeDeclined = false;
  if (!memoSession.FileBytes(text, bytes, &missing)) {
    // Only the user may change a memo's encoding. Where nobody can be
    // asked, the file stays as it is and the recovery record keeps the text.
    if (savingState || !AskToSaveAsUtf8(missing)) {
      writeDeclined = true;
      KeepEditsForRecovery();
      return 0;
    }
    memoSession.encoding = MemoEncoding::Utf8Bom;
    memoSession.FileBytes(text, bytes);
  }
  if (!memoSession.Save(bytes)) {
    ShowFailure(writeFailure, ::GetLastError());
    return 0;
  }
  // The file holds the pane now: only later edits need writing.
  TextPane().SetModify(FALSE);
  return 1;
}

// Another program removed the file of the open memo: its pane holds the last
// copy. Edits are written as any are; an unedited text goes back quietly when
// it can, since nothing of the user's is at stake when it cannot.
int ToolPanel::RestoreVanishedFile(const char* path) {
  if (TextPane().GetModify()) return WriteMemoFile(path);
  std::string bytes;
  return !memoSession.incomplete && memoSession.FileBytes(PaneText(), bytes) && memoSession.Save(bytes) ? 1 : 0;
}

ToolPanel::DiskSync ToolPanel::SyncWithDisk(const char* path, bool reloadPane, bool beforeWrite) {
  switch (memoSession.Check(beforeWrite)) {
    case MemoDiskState::Unchanged:
      return DiskSync::Current;
    case MemoDiskState::Vanished:
      return DiskSync::Vanished;
    case MemoDiskState::Changed:
      break;
  }
  // The other program's text stays in the file; edits of the pane go to a
  // memo of their own.
  bool kept = TextPane().GetModify() && !memoSession.incomplete;
  if (kept && !KeepPaneBesideMemo()) return DiskSync::Failed;
  if (reloadPane) LoadTextMemo(path);
  return kept ? DiskSync::Kept : DiskSync::Reloaded;
}

bool ToolPanel::KeepPaneBesideMemo() {
  std::string title;
  if (!SaveAsNewMemo(*memoSession.fileOps, memoSession.Folder(), memoSession.Title(), 2, NewMemoBytes(PaneText()), title)) {
    ShowFailure(keepFailure, ::GetLastError());
    return false;
  }
  // The edits are safe in their own memo, and the file as it is now is the
  // memo's: a SaveState while the message is up keeps nothing twice.
  TextPane().SetModify(FALSE);
  memoSession.Restamp();
  memoSession.DropRecovery();
  char listed[SettingValueSize];
  if (MemoFolderPath(listed) && memoSession.Folder() == listed) {
    int index = memoList->AddString(title.c_str());
    memoList->SetItemData(index, MemoKindText);
  }
  CString message;
  message.Format(keptBeside, title.c_str());
  ShowMessage(message, MB_ICONINFORMATION);
  return true;
}

// The panel goes away with edits that could not reach their memo's file:
// they become a memo of the tool's own folder, or, where that cannot be
// written, a recovery record that the next start turns into a memo.
void ToolPanel::RescueUnsavedEdits() {
  char stored[SettingValueSize], folder[SettingValueSize];
  ReadSetting(FolderPathKey(1), stored);
  std::string title;
  // An unset folder 1 would put the memo at the root of a drive.
  if (stored[0] != '\0' && FormMemoFolderPath(stored, folder, sizeof(folder)) &&
      SaveAsNewMemo(*memoSession.fileOps, folder, memoSession.Title(), 1, NewMemoBytes(PaneText()), title)) {
    memoSession.DropRecovery();
    CString message;
    message.Format(rescued, title.c_str());
    ShowMessage(message, MB_ICONINFORMATION);
    return;
  }
  if (memoSession.KeepForRecovery(PaneText(), true)) {
    CString message;
    message.Format(rescuedForNextStart, memoSession.recovery.RecordPath().c_str());
    ShowMessage(message, MB_ICONINFORMATION);
    return;
  }
  ShowMessage(rescueFailure, MB_ICONSTOP);
}

int ToolPanel::SaveState() {
  // The panel's controls and state belong to its thread; the host may call from its own.
  if (!m_hWnd) return 0;
  return static_cast<int>(SendMessage(WM_PANEL_SAVE_STATE));
}

int ToolPanel::SaveStateOnPanelThread() {
  // The host waits for the answer: nothing here may wait for the user.
  ++savingState;
  int result = 0;
  StorePosition();
  char path[MAX_PATH];
  if (IsMemoOpen() && currentKind == MemoKindText && !memoSession.incomplete && MemoFilePath(".txt", path)) {
    DiskSync sync = SyncWithDisk(path, true, TextPane().GetModify());
    if (sync == DiskSync::Failed || memoSession.IsReadOnly())
      result = 0;
    else if (sync == DiskSync::Vanished)
      result = RestoreVanishedFile(path);
    else if (sync == DiskSync::Current && TextPane().GetModify())
      result = WritePane(path);
    else
      result = 1;
  }
  --savingState;
  return result;
}
