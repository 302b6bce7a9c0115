// ToolPanel: the tool object and the panel dialog (template 149) it shows on
// its own user-interface thread. The open memo itself, its file and every
// write of it belong to the memo session; the panel shows it, asks the user
// and reports what the session did.
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "components/vardenlist/VardenListBox.h"
#include "core/RecoverySchedule.h"
#include "framework/BitmapButton.h"
#include "framework/Gdi.h"
#include "framework/OleApartment.h"
#include "framework/ToolTipCtrl.h"
#include "memo/HtmlRenderProbe.h"
#include "memo/WebBrowser2.h"
#include "operations/ExtEditDialog.h"
#include "operations/MemoNameDialog.h"
#include "panel/PaneFinder.h"
#include "panel/TextPane.h"
#include "plugin/ToolBase.h"
#include "plugin/ToolSettings.h"
#include "resources/resource.h"
#include "settings/SettingsDialog.h"
#include "store/MemoSession.h"
#include "store/SearchCache.h"

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
  // withFile: the open memo's file takes the state too.
  bool SetMemoReadOnly(bool withFile, BOOL readOnly);
  void OnReadOnlyToggle();

  // Memo content
  void OpenMemo();
  // False when the open memo's edits could not be saved: it stays open with
  // them, and the caller must not act as if it were closed.
  bool CloseMemo();
  // Writes the pane to the open memo's file through the session's one
  // write path, asking the user where writer may: 1 when the file holds
  // the pane's text.
  int WriteMemoFile(MemoWriter writer);
  void OpenInEditor();
  // The memo read anew as reading (none: as its bytes tell), edits saved
  // first; from the pane's menu (PaneMenuCommands.cpp).
  void OnReadAs(std::optional<MemoEncoding> reading);
  // The memo converted to target at its next save.
  void OnConvertTo(MemoEncoding target);

  // Memo operations
  void OnNewMemo();
  void OnClearMemo();
  void OnDeleteMemo();
  int OnRenameMemo();
  int OnFilesDropped();
  void OnExtendedEdit();

  // The open memo, for a test to read on the panel's thread.
  const MemoSession& Memo() const { return memo; }
  // Where the tool keeps its recovery records; a test sets its own before
  // the tool starts.
  void SetRecoveryFolder(const std::string& path) { memo.Recovery().SetPath(path); }
  void SetHistoryFolder(const std::string& path) { memo.History().SetPath(path); }
  // Every file call of the tool goes to ops: a test's in the platform's place.
  void UseFileOps(MemoFileOps& ops) { memo.UseOps(ops); }

  // Panel state, in the order the host's tool model lays it out.
  CWebBrowser2 browser;
  HICON panelIcon;
  CVardenListBox* memoList;
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
  // The panel's fonts and layout are in pixels at 96 dots per inch, scaled
  // to this.
  int dpi;
  int Scaled(int pixels) const { return ::MulDiv(pixels, dpi, 96); }
  RECT Scaled(const RECT& rect) const { return {Scaled(rect.left), Scaled(rect.top), Scaled(rect.right), Scaled(rect.bottom)}; }
  CFont listFont;
  CFont titleFont;
  HICON readOnlyIcon;
  // The open memo: its file, its encoding, its recovery record and every
  // write of it.
  MemoSession memo;
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

  // Messages (PanelMessages.cpp). A message box bracketed by modalFlag.
  // While the host waits in SaveState it is shown once SaveState has
  // returned (the answer is then IDOK).
  int ShowMessage(const char* text, UINT type);
  // A message that quotes a memo's name, in UTF-16 (see NamedMessage).
  int ShowMessage(const std::u16string& text, UINT type);
  // A failure's fixed text with the reason for error on a line below it.
  int ShowFailure(const char* text, DWORD error);
  int ShowFailure(const std::u16string& text, DWORD error);
  void DeferMessage(const std::u16string& text, UINT type);
  void ShowDeferredMessages();
  // modalFlag stays 1 from the first modal dialog or box opened until the
  // last one closes; a settings command held meanwhile runs after that.
  void EnterModal();
  void LeaveModal();
  class ModalScope;

  ToolSettings Settings() const { return ToolSettings(hostSettings); }
  // The path of the folder the list shows, ending with a backslash; false
  // when it is unset or does not fit.
  bool ListedFolderPath(std::string& path) const;
  void RestorePosition();
  void StorePosition();
  // The panel reopens where the user left it: its corner, the folder shown
  // and the memo open, kept through the host's settings.
  void StoreWhereLeft();
  void ReturnWhereLeft();
  void RegisterFolderTip(int folder);
  void InvalidateHeaderBand();
  // The current folder's button shows pressed, and a screen reader reads it so.
  void ShowCurrentFolder();
  TextPane Pane() const { return TextPane(GetDlgItem(IDC_PANEL_TEXT)); }
  CWindow TitleCaption() const { return GetDlgItem(IDC_PANEL_TITLE); }
  CWindow ReadOnlyToggle() const { return GetDlgItem(IDC_PANEL_READ_ONLY); }
  bool IsPanelThread() const;

  // Showing the open memo (MemoLoading.cpp).
  void LoadTextMemo();
  // The session's view of the text memo into the pane and the toggle.
  void ShowTextMemo(const MemoView& view);
  // The pane never writes the memo: it is read-only, and the title strip
  // says why.
  void ShowNeverWrite(NeverWriteReason reason);
  // The open memo's title and why it may not be written, as they are now.
  void ShowMemoCaption();
  void ShowTitleCaption(const char* reason);
  void ShowHtmlMemo();
  // Looks again whether the browser shows the open HTML memo; where it
  // cannot, the memo's text is shown instead.
  void CheckHtmlShown();
  void ShowHtmlAsText();
  void NavigateBrowser(const char* url);
  void ShowNoMemo();

  // Writing the open memo (MemoSaving.cpp): the session's write, with the
  // question it may need asked and its outcome shown.
  WriteResult WriteOpenMemo(MemoWriter writer);
  // Tells the user what an outcome means for them, and shows the memo as
  // the session has it now. closing: the memo closes after the write.
  void ShowWriteResult(const WriteResult& result, bool closing, bool edited);
  bool AskToSaveAsUtf8(const std::u16string& missing);
  void OnCheckDisk();
  void RescueUnsavedEdits();
  // The pane's whole text, as an edit the user can undo.
  void ReplacePaneText(int start, int end, const std::u16string& text);

  // Recovery (MemoRecovery.cpp): edits are kept in the recovery folder a
  // moment after the user stops typing, and at least every few seconds
  // while the typing goes on.
  void OnPaneEdited();
  void OnRecoveryTimer();
  bool KeepEditsForRecovery();
  void RestoreAbandonedEdits();
  void ClearLeftovers(const std::string& folderPath);

  // Helpers of the memo operations (operations/).
  INT_PTR RunMemoNameDialog();
  void SelectNeighbourOfDeleted();
  bool ImportDroppedFile(const std::string& folder, const char* path);
  void StampPane();
  void DeleteOrReplaceInPane();
  void MoveOpenMemo();

  // Find in the pane (PanelCommands.cpp): Ctrl+F and F3 anywhere in the
  // panel. True when key was one of them.
  bool OnFindKey(WPARAM key);
  void OnFindRequest();
  void FindNextInPane();

  // The pane's and the memo list's menus, at screen point at.
  void OnPaneMenu(LPARAM at);
  void OnListMenu(LPARAM at);
  // The open memo's kept versions; the one chosen comes back into the pane.
  void OnHistory();

  RecoverySchedule recoverySchedule;
  PaneFinder finder;
  // The user was told that edits cannot be recorded; told again only after
  // a record was written since.
  bool recordFailureSaid;
  // Memo folders whose leftover temporary files were cleared.
  std::vector<std::string> clearedFolders;
  // Checks left before an HTML memo that is still loading counts as shown.
  int htmlChecksLeft;
  int modalDepth;
  bool settingsPending;
  bool settingsRunning;
  // The host waits in SaveState: no box may be shown, nor any question
  // asked; each waits for the panel's next turn.
  int hostWaiting;
  // Windows ends the session: no box ever again.
  bool sessionEnded;
  std::vector<std::pair<std::u16string, UINT>> deferredMessages;
};

// Brackets a modal dialog or message box of the panel.
class ToolPanel::ModalScope {
public:
  explicit ModalScope(ToolPanel& tool) : panel(tool) { panel.EnterModal(); }
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
