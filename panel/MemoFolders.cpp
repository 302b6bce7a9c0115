// The five memo folders, the memo list's filling and selection events, the
// read-only switch and the settings command.
#include "core/MemoTitle.h"
#include "core/MemoPaths.h"
#include "plugin/ToolPanel.h"
#include "store/MemoListing.h"

bool ToolPanel::ListedFolderPath(std::string& path) const { return Settings().FolderPath(currentFolder, path); }

bool ToolPanel::IsPanelThread() const { return ::GetWindowThreadProcessId(m_hWnd, NULL) == ::GetCurrentThreadId(); }

bool ToolPanel::ListMemos() {
  ToolSettings settings = Settings();
  if (!settings.IsFolderSet(currentFolder)) {
    if (currentFolder != 1) {
      settings.Write(FolderPathKey(currentFolder), "");
      return false;
    }
    settings.StoreOwnFolder();
  }
  // The tool's own folder must always exist, even if someone removed it.
  if (currentFolder == 1) memo.Ops().MakeFolder(settings.ReadName(FolderPathKey(1)).c_str());

  std::string folder;
  memoList->ResetContent();
  if (ListedFolderPath(folder)) {
    ClearLeftovers(folder);
    ForEachMemoFile(memo.Ops(), folder.c_str(), [this](const char* name, MemoFileType type, const ListedStamp&) {
      int index = memoList->AddString(TitleFromFileName(name).c_str());
      memoList->SetItemData(index, type == MemoFileType::Text ? MemoKindText : MemoKindHtml);
    });
  }
  memoList->ShowAddedItems();
  InvalidateHeaderBand();
  ShowCurrentFolder();
  return true;
}

void ToolPanel::OnFolderButton(int folder) {
  // A click on the current folder's button lets it up: it is shown pressed again.
  if (currentFolder == folder) {
    ShowCurrentFolder();
    return;
  }
  // Edits that could not be saved keep their memo, and the panel its folder.
  if (!CloseMemo()) return;
  short previous = currentFolder;
  currentFolder = static_cast<short>(folder);
  if (ListMemos()) return;
  ShowMessage("メモフォルダが設定されていません！", MB_ICONSTOP);
  currentFolder = previous;
  ListMemos();
}

void ToolPanel::StoreWhereLeft() {
  StorePosition();
  ToolSettings settings = Settings();
  settings.Write(LastFolderKey, std::to_string(currentFolder));
  std::string name;
  if (memo.IsOpen()) name = memo.Title() + (memo.IsText() ? ".txt" : ".html");
  // A name too long for a setting's value, or that code page 932 cannot
  // spell, reopens the folder only.
  if (name.size() >= SettingValueSize || !settings.WriteName(LastMemoKey, name)) settings.Write(LastMemoKey, std::string());
}

void ToolPanel::ReturnWhereLeft() {
  ToolSettings settings = Settings();
  int folder = StoredFolderNumber(settings.Read(LastFolderKey));
  if (folder > 1 && settings.IsFolderSet(folder)) currentFolder = static_cast<short>(folder);
  ListMemos();
  std::string name = settings.ReadName(LastMemoKey);
  MemoFileType type = MemoFileTypeOf(name.c_str());
  if (type == MemoFileType::None) return;
  std::string title = TitleFromFileName(name.c_str());
  DWORD kind = type == MemoFileType::Text ? MemoKindText : MemoKindHtml;
  for (int index = 0; index < memoList->GetCount(); ++index) {
    char listed[CVardenListBox::TextBufferSize];
    memoList->GetText(index, listed);
    if (title == listed && memoList->GetItemData(index) == kind) {
      memoList->SetCurSel(index);
      return;
    }
  }
}

// A memo whose edits could not be saved stays open, and the list on it.
int ToolPanel::OnListBeforeChange() { return CloseMemo() ? 1 : 0; }

int ToolPanel::OnListSelChange() {
  currentSelection = memoList->GetCurSel();
  OpenMemo();
  return 0;
}

bool ToolPanel::SetMemoReadOnly(bool withFile, BOOL readOnly) {
  TextPane pane = Pane();
  if (readOnly && pane.Edited()) {
    if (!CloseMemo()) return false;
    OpenMemo();
  }
  if (withFile) memo.SetReadOnly(readOnly != FALSE);
  pane.SetReadOnly(readOnly);
  return true;
}

void ToolPanel::OnReadOnlyToggle() {
  // With no memo open there is no file to act on, and the pane must not
  // take typing that would reach none.
  if (!memo.IsOpen()) return;
  CWindow toggle = ReadOnlyToggle();
  int checked = toggle.GetCheck();
  // The open memo's own file, in the folder it was opened from.
  if (SetMemoReadOnly(memo.IsText(), checked == BST_CHECKED)) {
    toggle.SetCheck(checked);
    return;
  }
  // The edits could not be saved first: they stay, and the switch and the
  // pane show the file as it is.
  char path[MemoPathSize];
  BOOL fileReadOnly = memo.FilePath(".txt", path) && IsMemoFileReadOnly(memo.Ops(), path);
  Pane().SetReadOnly(fileReadOnly);
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
  // Folder 1's path cannot change in the dialog: shown already, it is left
  // as it is.
  OnFolderButton(1);
  return 0;
}
