// Keeping the open memo's edits for recovery while they are only in the
// pane, saving them when Windows ends the session, and putting back at the
// panel's start what a host that died left behind.
#include "core/MemoPaths.h"
#include "store/RecoveryRestore.h"
#include "core/SettingKeys.h"
#include "plugin/ToolPanel.h"

namespace {

// Edits are kept once the typing has paused this long, and while it goes on
// at the latest this long after the first edit not yet kept: a character is
// on the disk within two seconds of its typing, whatever follows it.
const DWORD recoveryPauseMs = 1000;
const DWORD recoveryLongestMs = 1500;

const char restoredHeading[] = "前回、保存されないまま終わった編集を復元しました。";
const char restoredIntoMemo[] = "・「%s」→ %s";
const char restoredRecreated[] = "・「%s」→ %s（ファイルがなかったため作り直しました）";
const char restoredBeside[] = "・「%s」→ %s（元のメモがほかのプログラムで書き換えられていたため）";
const char restoredInFolder1[] = "・「%s」→ %s（元のメモフォルダが設定されていないため）";
const char restoredKept[] = "・「%s」→ 保存できなかったため、%s に残してあります";
const char unreadableKept[] = "・読み込めない復元用のファイル %s は、そのまま残してあります";
const char leftoverKept[] = "保存の途中で終わったメモの内容を、新しいメモ %s として残しました。";

}  // namespace

void ToolPanel::OnPaneEdited() {
  lastEdit = ::GetTickCount();
  if (recoveryTimerRunning) return;
  // One timer for a whole run of typing: the keystrokes only note the time.
  firstUnkeptEdit = lastEdit;
  recoveryTimerRunning = true;
  SetTimer(RecoveryTimer, recoveryPauseMs);
}

void ToolPanel::OnRecoveryTimer() {
  DWORD now = ::GetTickCount();
  DWORD paused = now - lastEdit;
  if (paused < recoveryPauseMs && now - firstUnkeptEdit < recoveryLongestMs) {
    SetTimer(RecoveryTimer, recoveryPauseMs - paused);
    return;
  }
  KillTimer(RecoveryTimer);
  recoveryTimerRunning = false;
  KeepEditsForRecovery();
}

// The record holds what a close would write now: nothing when the pane is
// unedited or back at the file's text.
void ToolPanel::KeepEditsForRecovery() {
  if (!IsMemoOpen() || currentKind != MemoKindText || memoSession.incomplete) return;
  if (!TextPane().GetModify()) {
    memoSession.DropRecovery();
    return;
  }
  std::u16string text = PaneText();
  if (text == memoSession.loaded.text) {
    memoSession.DropRecovery();
    return;
  }
  // A record that cannot be written now is tried again at the next edit.
  memoSession.KeepForRecovery(text);
}

void ToolPanel::OnEndSession() {
  // Boxes wait for nobody now: the process may end as soon as this returns.
  ++savingState;
  // Edits that code page 932 cannot hold stay in the recovery record; the
  // next start asks nothing either, and keeps them beside the memo.
  if (SaveStateOnPanelThread() == 0 && !writeDeclined && IsMemoOpen() && currentKind == MemoKindText && !memoSession.incomplete &&
      TextPane().GetModify())
    RescueUnsavedEdits();
  --savingState;
  deferredMessages.clear();
}

void ToolPanel::RestoreAbandonedEdits() {
  std::vector<std::string> setFolders;
  for (int folder = 1; folder <= 5; ++folder) {
    char stored[SettingValueSize], formed[SettingValueSize];
    ReadSetting(FolderPathKey(folder), stored);
    if (stored[0] != '\0' && FormMemoFolderPath(stored, formed, sizeof(formed)))
      setFolders.push_back(formed);
    else if (folder == 1)
      return;
  }
  std::vector<RestoredEdits> restored = ::RestoreAbandonedEdits(memoSession.recovery, setFolders);
  if (restored.empty()) return;
  CString message = restoredHeading;
  for (const RestoredEdits& edits : restored) {
    static const char* const formats[] = {restoredIntoMemo, restoredRecreated, restoredBeside, restoredInFolder1, restoredKept};
    CString line;
    if (edits.title.empty())
      line.Format(unreadableKept, edits.place.c_str());
    else
      line.Format(formats[edits.outcome], edits.title.c_str(), edits.place.c_str());
    message += "\n";
    message += line;
  }
  // Shown once the panel is up.
  deferredMessages.push_back(std::make_pair(message, static_cast<UINT>(MB_ICONINFORMATION)));
  if (deferredMessages.size() == 1) PostMessage(WM_PANEL_DEFERRED_MESSAGES);
}

void ToolPanel::ClearLeftovers(const char* folderPath) {
  for (const std::string& cleared : clearedFolders)
    if (cleared == folderPath) return;
  bool youngLeft = false;
  for (const std::string& kept : ClearLeftoverTemporaries(*memoSession.fileOps, folderPath, youngLeft)) {
    CString message;
    message.Format(leftoverKept, kept.c_str());
    deferredMessages.push_back(std::make_pair(message, static_cast<UINT>(MB_ICONINFORMATION)));
    if (deferredMessages.size() == 1) PostMessage(WM_PANEL_DEFERRED_MESSAGES);
  }
  // A save of another host may still finish what it left.
  if (!youngLeft) clearedFolders.push_back(folderPath);
}
