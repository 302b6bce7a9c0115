// ToolPanel: the tool object and the panel dialog (template 149) it shows on
// its own user-interface thread.
#pragma once
#include "framework/BitmapButton.h"
#include "operations/ExtEditDialog.h"
#include "memo/HtmlRenderProbe.h"
#include "framework/Gdi.h"
#include "core/MemoEncoding.h"
#include "store/MemoFile.h"
#include "store/MemoSession.h"
#include "operations/MemoNameDialog.h"
#include "framework/OleApartment.h"
#include "store/SearchCache.h"
#include "settings/SettingsDialog.h"
#include "plugin/ToolBase.h"
#include "framework/ToolTipCtrl.h"
#include "components/vardenlist/VardenListBox.h"
#include "memo/WebBrowser2.h"
#include "resources/resource.h"

#include <string>
#include <utility>
#include <vector>

class ToolPanel : public ToolBase {
public:
  explicit ToolPanel(CWnd* parent);
  ~ToolPanel() override;

  // Tool operations
  int SaveState() override;
  int SearchMemos(SearchRequest* request, const char* keyword) override;
  const char* GetDisplayName() override;
  BOOL CreateToolWindow(UINT templateId, CWnd* parent) override;
  void StartTool() override;
  UINT GetTemplateId() override;
  LRESULT RunSettings(WPARAM wParam, LPARAM lParam) override;

  // Dialog framework
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void DoDataExchange(CDataExchange* dx) override;

  // Memo folders and the memo list
  bool ListMemos();
  void OnFolderButton(int folder);
  int OnListBeforeChange();
  int OnListSelChange();
  // False when the memo could not be closed first: nothing was changed.
  bool SetMemoReadOnly(const char* path, BOOL readOnly);
  void OnReadOnlyToggle();

  // Memo content
  void OpenMemo();
  // False when the open memo's edits could not be saved: it stays open with
  // them, and the caller must not act as if it were closed.
  bool CloseMemo();
  int WriteMemoFile(const char* path);
  void OpenInEditor();

  // Memo operations
  void OnNewMemo();
  void OnClearMemo();
  void OnDeleteMemo();
  int OnRenameMemo();
  int OnFilesDropped();
  void OnExtendedEdit();

  // Panel state, in the order the host's tool model lays it out.
  CWebBrowser2 browser;
  HICON panelIcon;
  CVardenListBox* memoList;
  CString currentTitle;
  int currentSelection;
  short currentFolder;
  CToolTipCtrl toolTips;
  ExtEditDialog extEditDialog;
  SettingsDialog settingsDialog;
  MemoNameDialog memoNameDialog;
  CBitmapButton newButton;
  CBitmapButton deleteButton;
  CBitmapButton eraseButton;
  CBitmapButton extEditButton;
  CBitmapButton openEditorButton;
  CBitmap* folderBitmaps[5];
  CFont listFont;
  CFont titleFont;
  HICON readOnlyIcon;
  // Kind of the open memo, kept from its opening: a later refill of the list
  // may put another entry at currentSelection while the memo stays open.
  DWORD currentKind;
  // The open memo's file: its folder (a refused close may leave the memo
  // open while the panel lists another folder), stamp, encoding and
  // recovery record.
  MemoSession memoSession;
  // Serves the host's searches, on whatever thread the host calls from.
  SearchCache searchCache;
  // Tells whether the browser pane shows the open HTML memo.
  HtmlRenderProbe* htmlProbe;
  // The panel thread's use of OLE, begun before the panel is made and ended
  // as it is destroyed.
  OleApartment* oleApartment;

protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnCommand(int notifyCode, int id, HWND control) override;

private:
  static UINT __cdecl ToolUiThreadProc(LPVOID tool);
  // Runs on the panel's thread whichever thread the host called from.
  int SaveStateOnPanelThread();
  LRESULT RunSettingsOnPanelThread();
  void OnClose();
  void OnDestroy();
  void OnPaint();
  void OnActivate(WPARAM wParam, HWND previous);
  // Windows is ending the session: the open memo is saved as SaveState
  // saves it, and nothing may wait for the user.
  void OnEndSession();
  // A message box bracketed by modalFlag. While the host waits in SaveState
  // it is shown once SaveState has returned (the answer is then IDOK).
  int ShowMessage(const char* text, UINT type);
  // A failure's fixed text with the reason for error on a line below it.
  int ShowFailure(const char* text, DWORD error);
  void ShowDeferredMessages();
  // modalFlag stays 1 from the first modal dialog or box opened until the
  // last one closes; a settings command held meanwhile runs after that.
  void EnterModal();
  void LeaveModal();
  class ModalScope;
  // The current folder's stored path with a backslash appended, into 260 bytes.
  bool MemoFolderPath(char* out);
  void ReadSetting(const char* key, char* out);
  void WriteSetting(const char* key, const char* value);
  void RestorePosition();
  void StorePosition();
  void StoreOwnFolderPath();
  void MakeUnicodePane();
  void RegisterFolderTip(int folder);
  void InvalidateHeaderBand();
  CWindow TextPane() const { return GetDlgItem(IDC_PANEL_TEXT); }
  CWindow TitleCaption() const { return GetDlgItem(IDC_PANEL_TITLE); }
  CWindow ReadOnlyToggle() const { return GetDlgItem(IDC_PANEL_READ_ONLY); }
  bool IsPanelThread() const;
  // Open memo's folder path + title + extension into MAX_PATH bytes.
  bool MemoFilePath(const char* extension, char* out) { return memoSession.FilePath(extension, out); }
  void LoadTextMemo(const char* path);
  // Where the open text memo stands against its file, after what another
  // program may have done to it.
  enum class DiskSync {
    Current,   // the file is as loaded or last written
    Vanished,  // the file is gone
    Reloaded,  // changed outside over an unedited pane: the pane shows the file now
    Kept,      // changed outside over edits: they went to a new memo beside it
    Failed,    // changed outside, and the edits could not be kept
  };
  // beforeWrite: the file's bytes are compared, not only its size and time.
  DiskSync SyncWithDisk(const char* path, bool reloadPane, bool beforeWrite);
  void OnCheckDisk();
  bool KeepPaneBesideMemo();
  int RestoreVanishedFile(const char* path);
  // WriteMemoFile once the file is known to be writable.
  int WritePane(const char* path);
  void RescueUnsavedEdits();
  // Edits are kept in the recovery folder a moment after the user stops
  // typing, and at least every few seconds while the typing goes on.
  void OnPaneEdited();
  void OnRecoveryTimer();
  void KeepEditsForRecovery();
  void RestoreAbandonedEdits();
  void ClearLeftovers(const char* folderPath);
  // The pane's whole text.
  std::u16string PaneText() const;
  // Replaces the pane's text from start to end (-1: its end) as an edit the
  // user can undo.
  void ReplacePaneText(int start, int end, const std::u16string& text);
  // The bytes for the pane's text in a new memo: the open memo's encoding,
  // or UTF-8 where code page 932 cannot hold every character.
  std::string NewMemoBytes(const std::u16string& text) const;
  // Asks whether a code page 932 memo whose text it cannot hold is to be
  // saved in UTF-8; missing names the characters.
  bool AskToSaveAsUtf8(const std::u16string& missing);
  void ShowHtmlMemo();
  // Looks again whether the browser shows the open HTML memo; where it
  // cannot, the memo's text is shown instead.
  void CheckHtmlShown();
  void ShowHtmlAsText(const char* reason);
  // The open HTML memo's file: title.html, else title.htm.
  bool HtmlMemoPath(char* out);
  void ShowIncompleteMemo(const char* reason);
  void ShowTitleCaption(const char* reason);
  void NavigateBrowser(const char* url);
  // A memo is open: its title is neither empty nor the no-memo marker.
  bool IsMemoOpen() const;

  // Helpers of the memo operations (operations/).
  INT_PTR RunMemoNameDialog();
  void SelectNeighbourOfDeleted();
  bool ImportDroppedFile(const char* storedFolder, const char* path);
  void StampPane();
  void DeleteOrReplaceInPane();
  void MoveOpenMemo();

  // When the first edit not yet kept for recovery and the last edit were
  // made, while the recovery timer runs.
  DWORD firstUnkeptEdit;
  DWORD lastEdit;
  bool recoveryTimerRunning;
  // The user declined the last write (code page 932 could not hold the
  // text): what waited for it does not go on.
  bool writeDeclined;
  // Memo folders whose leftover temporary files were cleared.
  std::vector<std::string> clearedFolders;

  // Checks left before an HTML memo that is still loading counts as shown.
  int htmlChecksLeft;
  int modalDepth;
  bool settingsPending;
  bool settingsRunning;
  int savingState;
  std::vector<std::pair<CString, UINT>> deferredMessages;
};

// Brackets a modal dialog or message box of the panel.
class ToolPanel::ModalScope {
public:
  explicit ModalScope(ToolPanel& panel) : panel(panel) { panel.EnterModal(); }
  ~ModalScope() { panel.LeaveModal(); }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

private:
  ToolPanel& panel;
};

// The tool's display name, as the host shows it.
extern const char ToolDisplayName[];
// The title shown while no memo is open.
extern const char NoMemoTitle[];
// Kinds of memo list entries.
const DWORD MemoKindText = 116;  // 't'
const DWORD MemoKindHtml = 104;  // 'h'
// SaveState's work, sent to the panel so it runs on the panel's thread.
const UINT WM_PANEL_SAVE_STATE = WM_APP + 1;
// Posted to the panel: shows the message boxes held while the host waited.
const UINT WM_PANEL_DEFERRED_MESSAGES = WM_APP + 2;
// The panel's timer that looks again whether an HTML memo is shown.
const UINT_PTR HtmlCheckTimer = 1;
// The panel's timer that keeps the open memo's edits for recovery.
const UINT_PTR RecoveryTimer = 2;
// Posted to the panel when it is activated from outside, or the text pane
// takes the focus: looks for changes another program made to the open
// memo's file.
const UINT WM_PANEL_CHECK_DISK = WM_APP + 3;
