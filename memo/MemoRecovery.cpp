// Keeping the open memo's edits for recovery while they are only in the
// pane, saving them when Windows ends the session, and putting back at the
// panel's start what a host that died left behind.
#include "plugin/NamedMessage.h"
#include "plugin/ToolPanel.h"
#include "store/RecoveryRestore.h"

namespace {

const char restoredHeading[] = "前回、保存されないまま終わった編集を復元しました。";
const char leftoverKept[] = "保存の途中で終わったメモの内容を、新しいメモ %s として残しました。";
const char recordFailure[] =
    "編集中の内容を復元用に記録できません。このまま Jotbook が異常終了すると、メモに保存されていない編集は失われます。";

// One line of the restore's message: where the edits of one record are now.
std::u16string RestoredLine(const RestoredEdits& edits) {
  const std::string& title = edits.title;
  const std::string& place = edits.place;
  if (edits.title.empty()) return NamedMessage("・読み込めない復元用のファイル %s は、そのまま残してあります", {place});
  const char* line = "";
  switch (edits.outcome) {
    case RestoredEdits::IntoMemo:
      line = "・「%s」→ %s";
      break;
    case RestoredEdits::Recreated:
      line = "・「%s」→ %s（ファイルがなかったため作り直しました）";
      break;
    case RestoredEdits::BesideMemo:
      line = "・「%s」→ %s（元のメモがほかのプログラムで書き換えられていたため）";
      break;
    case RestoredEdits::BesideInUtf8:
      line = "・「%s」→ %s（元のメモの文字コードで保存できない文字があったため、UTF-8 で保存しました）";
      break;
    case RestoredEdits::InFolder1:
      line = "・「%s」→ %s（元のメモフォルダが設定されていないため）";
      break;
    case RestoredEdits::Kept:
      line = "・「%s」→ 保存できなかったため、%s に残してあります";
      break;
  }
  return NamedMessage(line, {title, place});
}

}  // namespace

void ToolPanel::OnPaneEdited() {
  uint32_t delay = recoverySchedule.Edited(::GetTickCount());
  if (delay) SetTimer(RecoveryTimer, delay);
}

void ToolPanel::OnRecoveryTimer() {
  uint32_t delay = recoverySchedule.Fired(::GetTickCount());
  if (delay) {
    SetTimer(RecoveryTimer, delay);
    return;
  }
  KillTimer(RecoveryTimer);
  if (KeepEditsForRecovery()) {
    recordFailureSaid = false;
    return;
  }
  // Typing goes on unprotected: said once, not at every pause.
  DWORD error = ::GetLastError();
  if (recordFailureSaid) return;
  recordFailureSaid = true;
  ShowFailure(recordFailure, error);
}

bool ToolPanel::KeepEditsForRecovery() {
  TextPane pane = Pane();
  return memo.KeepEdits(pane.Text(), pane.Edited());
}

void ToolPanel::OnEndSession() {
  // Boxes wait for nobody now, nor ever after: the process may end as soon
  // as this returns, and the Restart Manager's WM_CLOSE may follow.
  sessionEnded = true;
  StoreWhereLeft();
  if (!memo.IsText()) return;
  // Windows leaves every program a few seconds in all. The edits go first to
  // the recovery record on the local disk, and to the memo's file only where
  // that is quick: a network folder may keep a write long past the end,
  // and a memo another program holds is not waited for. What the file does
  // not take, the next start restores from the record.
  bool recorded = KeepEditsForRecovery();
  if (recorded && memo.OnNetworkDrive()) return;
  WaitBudget noWaits(0);
  // Edits that code page 932 cannot hold stay in the recovery record; the
  // next start asks nothing either, and keeps them beside the memo. Any
  // other edits the file did not take become a memo of their own, unless
  // the record holds them.
  WriteOutcome outcome = WriteOpenMemo(MemoWriter::Host).outcome;
  if (!recorded && outcome != WriteOutcome::Declined && outcome != WriteOutcome::NeverWrite && Pane().Edited()) RescueUnsavedEdits();
  deferredMessages.clear();
}

void ToolPanel::RestoreAbandonedEdits() {
  ToolSettings settings = Settings();
  std::string folder1;
  // Without folder 1 the records wait for a start that has one.
  if (!settings.FolderPath(1, folder1)) return;
  memo.Recovery().SetHome(folder1);
  std::vector<RestoredEdits> restored = ::RestoreAbandonedEdits(memo.Recovery(), memo.History(), settings.SetFolderPaths());
  if (restored.empty()) return;
  std::u16string message = WideFromCp932(restoredHeading);
  for (const RestoredEdits& edits : restored) message += u"\n" + RestoredLine(edits);
  // Shown once the panel is up.
  DeferMessage(message, MB_ICONINFORMATION);
}

void ToolPanel::ClearLeftovers(const std::string& folderPath) {
  for (const std::string& cleared : clearedFolders)
    if (cleared == folderPath) return;
  bool youngLeft = false;
  for (const std::string& kept : ClearLeftoverTemporaries(memo.Ops(), folderPath, youngLeft)) {
    DeferMessage(NamedMessage(leftoverKept, {kept}), MB_ICONINFORMATION);
  }
  // A save of another host may still finish what it left.
  if (!youngLeft) clearedFolders.push_back(folderPath);
}
