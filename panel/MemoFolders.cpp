// The five memo folders, the memo list's filling and selection events, the
// read-only switch and the settings command.
#include <io.h>
#include <sys/stat.h>

#include "core/MemoPaths.h"
#include "core/MemoTitle.h"
#include "components/serchfiles/SerchFiles.h"
#include "core/SettingKeys.h"
#include "plugin/ToolPanel.h"

bool ToolPanel::ListMemos() {
  char stored[SettingValueSize];
  ReadSetting(FolderPathKey(currentFolder), stored);
  if (stored[0] == '\0') {
    if (currentFolder != 1) {
      WriteSetting(FolderPathKey(currentFolder), "");
      return false;
    }
    StoreOwnFolderPath();
    ReadSetting(FolderPathKey(1), stored);
  }
  // The tool's own folder must always exist, even if someone removed it.
  if (currentFolder == 1) ::CreateDirectoryA(stored, NULL);

  char folder[SettingValueSize];
  memoList->ResetContent();
  if (FormMemoFolderPath(stored, folder, sizeof(folder))) {
    ClearLeftovers(folder);
    ForEachMemoFile(folder, [this](const char* name, MemoFileType type, const ListedStamp&) {
      int index = memoList->AddString(TitleFromFileName(name).c_str());
      memoList->SetItemData(index, type == MemoFileType::Text ? MemoKindText : MemoKindHtml);
    });
  }
  memoList->ShowAddedItems();
  InvalidateHeaderBand();
  return true;
}

void ToolPanel::OnFolderButton(int folder) {
  if (currentFolder == folder) return;
  // Edits that could not be saved keep their memo, and the panel its folder.
  if (!CloseMemo()) return;
  short previous = currentFolder;
  currentFolder = static_cast<short>(folder);
  if (ListMemos()) return;
  ShowMessage("メモフォルダが設定されていません！", MB_ICONSTOP);
  currentFolder = previous;
  ListMemos();
}

// A memo whose edits could not be saved stays open, and the list on it.
int ToolPanel::OnListBeforeChange() { return CloseMemo() ? 1 : 0; }

int ToolPanel::OnListSelChange() {
  currentSelection = memoList->GetCurSel();
  OpenMemo();
  return 0;
}

bool ToolPanel::SetMemoReadOnly(const char* path, BOOL readOnly) {
  CWindow pane = TextPane();
  if (readOnly && pane.GetModify()) {
    if (!CloseMemo()) return false;
    OpenMemo();
  }
  if (path) _chmod(path, readOnly ? _S_IREAD : _S_IREAD | _S_IWRITE);
  pane.SetReadOnly(readOnly);
  return true;
}

void ToolPanel::OnReadOnlyToggle() {
  if (currentTitle.IsEmpty()) return;
  CWindow toggle = ReadOnlyToggle();
  int checked = toggle.GetCheck();
  // The open memo's own file, in the folder it was opened from.
  char path[MAX_PATH];
  bool formed = MemoFilePath(".txt", path);
  if (SetMemoReadOnly(formed ? path : NULL, checked == BST_CHECKED)) {
    toggle.SetCheck(checked);
    return;
  }
  // The edits could not be saved first: they stay, and the switch and the
  // pane show the file as it is.
  BOOL fileReadOnly = formed && IsMemoFileReadOnly(path);
  TextPane().SetReadOnly(fileReadOnly);
  toggle.SetCheck(fileReadOnly ? BST_CHECKED : BST_UNCHECKED);
}

LRESULT ToolPanel::RunSettings(WPARAM, LPARAM) {
  // The host may call from its own thread; the dialog and the panel's state belong to the panel's.
  if (m_hWnd && !IsPanelThread()) return SendMessage(WM_TOOL_SETTINGS);
  return RunSettingsOnPanelThread();
}

LRESULT ToolPanel::RunSettingsOnPanelThread() {
  // Inside another dialog or box the panel is in the middle of an operation:
  // the command waits for its end. One settings dialog is enough.
  if (modalDepth > 0) {
    if (!settingsRunning) settingsPending = true;
    return 0;
  }
  if (m_hWnd) SetForegroundWindow();
  INT_PTR result;
  {
    ModalScope modal(*this);
    settingsRunning = true;
    result = settingsDialog.DoModalWithSettings(hostSettings);
    settingsRunning = false;
  }
  if (result != IDOK || !m_hWnd) return 0;
  for (int folder = 2; folder <= 5; ++folder) RegisterFolderTip(folder);
  // Folder 1 shown already may have moved: its list is filled from where it
  // is now. The open memo stays bound to the folder it came from.
  if (currentFolder == 1) {
    if (CloseMemo()) ListMemos();
    return 0;
  }
  OnFolderButton(1);
  return 0;
}
