// The panel window: initialisation and layout, the header band, keyboard
// filtering, host notifications, close and destruction.
#include "framework/PictureButton.h"
#include "framework/UnicodeEdit.h"
#include "panel/PaneLimit.h"
#include "panel/PaneMenu.h"
#include "core/MemoText.h"
#include "core/Positions.h"
#include "core/SettingKeys.h"
#include "plugin/ToolPanel.h"
#include "framework/WinApp.h"
#include "resources/resource.h"

namespace {

const RECT headerBand = {210, 10, 745, 35};

struct UpperButton {
  int id;
  int x;
  const char* tip;  // nullptr: the folder's name, else its path
  int folder;
};

const UpperButton upperButtons[] = {
    {IDC_PANEL_NEW, 15, "メモ新規作成", 0},
    {IDC_PANEL_ERASE, 52, "メモ内容消去", 0},
    {IDC_PANEL_DELETE, 89, "メモ削除", 0},
    {IDC_PANEL_EXT_EDIT, 126, "編集拡張機能", 0},
    {IDC_PANEL_OPEN_EDITOR, 163, "メモをエディタで開く", 0},
};

const int folderButtonIds[5] = {IDC_PANEL_FOLDER1, IDC_PANEL_FOLDER2, IDC_PANEL_FOLDER3, IDC_PANEL_FOLDER4, IDC_PANEL_FOLDER5};

int ListEventFilesDropped(void* panel) { return static_cast<ToolPanel*>(panel)->OnFilesDropped(); }
int ListEventBeforeChange(void* panel) { return static_cast<ToolPanel*>(panel)->OnListBeforeChange(); }
int ListEventSelChange(void* panel) { return static_cast<ToolPanel*>(panel)->OnListSelChange(); }
int ListEventRename(void* panel) { return static_cast<ToolPanel*>(panel)->OnRenameMemo(); }
int ListEventDelete(void* panel) {
  static_cast<ToolPanel*>(panel)->OnDeleteMemo();
  return 0;
}

}  // namespace

void ToolPanel::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, IDC_PANEL_BROWSER, browser); }

BOOL ToolPanel::OnInitDialog() {
  CDialog::OnInitDialog();
  HINSTANCE resources = AfxGetResourceHandle();
  MakeUnicodeEdit(m_hWnd, IDC_PANEL_TEXT);

  panelIcon = ::LoadIconA(resources, MAKEINTRESOURCEA(IDI_PANEL));
  SetIcon(panelIcon, TRUE);
  SetIcon(panelIcon, FALSE);

  RestorePosition();

  SetWindowText(ToolDisplayName);

  toolTips.Create(this, 0);
  toolTips.SetDelayTime(TTDT_INITIAL, 1000);
  // A long memo's whole caption wraps within the strip's width.
  toolTips.SendMessage(TTM_SETMAXTIPWIDTH, 0, Scaled(510));
  for (const UpperButton& button : upperButtons) {
    toolTips.AddTool(GetDlgItem(button.id), button.tip);
  }
  for (int folder = 1; folder <= 5; ++folder) {
    CWindow item = GetDlgItem(folderButtonIds[folder - 1]);
    item.MoveWindow(Scaled(15 + 37 * (folder - 1)), Scaled(57), Scaled(32), Scaled(32), TRUE);
    if (folder == 1) {
      // Folder 1 is always the tool's own folder under the host's data folder.
      Settings().StoreOwnFolder();
      toolTips.AddTool(item, "マイメモフォルダ");
      item.SetWindowText("マイメモフォルダ");
    } else {
      RegisterFolderTip(folder);
    }
  }

  RECT listRect = Scaled(RECT{15, 100, 195, 585});
  memoList = CVardenListBox::NewVardenCtrl(this, "", listRect, 0);
  memoList->SetUseItemLine(1);
  memoList->SetUseColumnHeader(1);
  memoList->SetEditable(0);
  memoList->SetColumnLabel(0, "メモ一覧");
  memoList->SetActive(1);
  memoList->SetEventHandler(VardenEventFilesDropped, ListEventFilesDropped, this);
  memoList->SetEventHandler(VardenEventBeforeChange, ListEventBeforeChange, this);
  memoList->SetEventHandler(VardenEventBeforeKeyChange, ListEventBeforeChange, this);
  memoList->SetEventHandler(VardenEventSelChange, ListEventSelChange, this);
  memoList->SetEventHandler(VardenEventRename, ListEventRename, this);
  memoList->SetEventHandler(VardenEventDelete, ListEventDelete, this);

  GetDlgItem(IDC_PANEL_TITLE).MoveWindow(Scaled(210), Scaled(35), Scaled(510), Scaled(25), TRUE);
  GetDlgItem(IDC_PANEL_READ_ONLY).MoveWindow(Scaled(720), Scaled(35), Scaled(25), Scaled(25), TRUE);
  GetDlgItem(IDC_PANEL_TEXT).MoveWindow(Scaled(210), Scaled(59), Scaled(535), Scaled(525), TRUE);
  GetDlgItem(IDC_PANEL_BROWSER).MoveWindow(Scaled(210), Scaled(59), Scaled(535), Scaled(525), TRUE);
  browser.BlockActiveContent();
  // Until an HTML memo opens: shown behind the text pane, it would take the
  // focus at a Tab with nothing to show for it.
  browser.SetVisible(false);

  newButton.AutoLoad(IDC_PANEL_NEW, this);
  deleteButton.AutoLoad(IDC_PANEL_DELETE, this);
  eraseButton.AutoLoad(IDC_PANEL_ERASE, this);
  extEditButton.AutoLoad(IDC_PANEL_EXT_EDIT, this);
  openEditorButton.AutoLoad(IDC_PANEL_OPEN_EDITOR, this);
  // The pictures are loaded by the buttons' template texts: from here on
  // each is named as its tooltip names it, which a screen reader reads and
  // the button never draws.
  for (const UpperButton& button : upperButtons) {
    CWindow item = GetDlgItem(button.id);
    item.SetWindowText(button.tip);
    // Placed once loading sized them to their pictures; drawn stretched to the DPI's size.
    item.MoveWindow(Scaled(button.x), Scaled(15), Scaled(32), Scaled(32), TRUE);
  }

  for (int folder = 1; folder <= 5; ++folder) {
    folderBitmaps[folder - 1] = new CBitmap;
    folderBitmaps[folder - 1]->LoadBitmap(IDB_FOLDER1 + folder - 1, Scaled(32), Scaled(32));
    GetDlgItem(folderButtonIds[folder - 1])
        .SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(folderBitmaps[folder - 1]->m_hObject));
    // The current folder's button stands pushed in at every paint.
    MakePictureButton(GetDlgItem(folderButtonIds[folder - 1]));
  }

  // The 25-pixel toggle shows the icon's 16-pixel image whole; the system's
  // icon size would be clipped.
  readOnlyIcon =
      static_cast<HICON>(::LoadImageA(resources, MAKEINTRESOURCEA(IDI_READ_ONLY), IMAGE_ICON, Scaled(16), Scaled(16), LR_DEFAULTCOLOR));
  GetDlgItem(IDC_PANEL_READ_ONLY).SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(readOnlyIcon));
  MakePictureButton(GetDlgItem(IDC_PANEL_READ_ONLY));
  // Drawn as its icon only.
  GetDlgItem(IDC_PANEL_READ_ONLY).SetWindowText("読取り専用");

  memoList->SetListFont(listFont, 1);
  memoList->SetItemHeight(Scaled(18));

  CWindow title = GetDlgItem(IDC_PANEL_TITLE);
  title.SetFont(titleFont, TRUE);
  title.SetWindowText(NoMemoTitle);

  CWindow text = GetDlgItem(IDC_PANEL_TEXT);
  text.SetLimitText(TextPaneLimit);
  LimitPaneInput(text);
  SendPaneMenuToPanel(text);
  text.SetMargins(Scaled(5), Scaled(5));
  // Until a memo opens, what is typed would reach no file.
  text.SetReadOnly(TRUE);

  currentFolder = 1;
  // Edits that a host which died left behind become memos before the list shows.
  RestoreAbandonedEdits();
  ReturnWhereLeft();
  memo.History().PruneInBackground();

  if (hostWindow && hostWindow->m_hWnd) ::PostMessageA(hostWindow->m_hWnd, WM_TOOL_READY, toolNumber, 0);
  return TRUE;
}

// The template's pane is an ANSI control, which on Windows holds only what
// code page 932 can: a Unicode one takes its place, its styles, font and
// place in the tab order, so that every character typed or pasted is kept.
void ToolPanel::RegisterFolderTip(int folder) {
  ToolSettings settings = Settings();
  std::string tip = settings.Read(FolderNameKey(folder));
  if (tip.empty()) tip = settings.Read(FolderPathKey(folder));
  CWindow button = GetDlgItem(folderButtonIds[folder - 1]);
  toolTips.AddTool(button, tip.c_str());
  // Drawn as its picture only: the name is for screen readers, and a folder
  // not set is named by its number.
  if (tip.empty()) tip = "メモフォルダ" + std::to_string(folder);
  button.SetWindowText(tip.c_str());
}

BOOL ToolPanel::PreTranslateMessage(MSG* msg) {
  if (finder.IsDialogMessage(msg)) return TRUE;
  if (msg->message == WM_KEYDOWN && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)) && OnFindKey(msg->wParam)) return TRUE;
  switch (msg->wParam) {
    // Return and the arrows go straight to the focused control, whatever the message.
    case VK_RETURN:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      return FALSE;
    // Escape never closes the panel.
    case VK_ESCAPE:
      return TRUE;
  }
  if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MBUTTONDBLCLK && msg->message != WM_LBUTTONDBLCLK &&
      msg->message != WM_RBUTTONDBLCLK)
    toolTips.RelayEvent(msg);
  return CDialog::PreTranslateMessage(msg);
}

bool ToolPanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_ACTIVATE:
      OnActivate(wParam, reinterpret_cast<HWND>(lParam));
      return false;
    case WM_CLOSE:
      OnClose();
      return true;
    case WM_DESTROY:
      OnDestroy();
      return true;
    case WM_PAINT:
      OnPaint();
      return true;
    case WM_TOOL_SETTINGS:
      result = RunSettingsOnPanelThread();
      return true;
    case WM_PANEL_SAVE_STATE:
      result = SaveStateOnPanelThread();
      return true;
    case WM_PANEL_DEFERRED_MESSAGES:
      ShowDeferredMessages();
      return true;
    case WM_PANEL_CHECK_DISK:
      OnCheckDisk();
      return true;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == Pane()) {
        OnPaneMenu(lParam);
        return true;
      }
      if (memoList && (reinterpret_cast<HWND>(wParam) == memoList->GetSafeHwnd() ||
                       ::IsChild(memoList->GetSafeHwnd(), reinterpret_cast<HWND>(wParam)))) {
        OnListMenu(lParam);
        return true;
      }
      return false;
    case WM_TIMER:
      if (wParam == HtmlCheckTimer)
        CheckHtmlShown();
      else if (wParam == RecoveryTimer)
        OnRecoveryTimer();
      else
        break;
      return true;
    case WM_QUERYENDSESSION:
      // Never holds the end of the session up; the edits are on the disk before it goes on.
      KeepEditsForRecovery();
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      if (wParam) OnEndSession();
      return true;
  }
  if (finder.IsRequest(message)) {
    OnFindRequest();
    return true;
  }
  return ToolBase::OnMessage(message, wParam, lParam, result);
}

void ToolPanel::OnActivate(WPARAM wParam, HWND previous) {
  WORD state = LOWORD(wParam);
  if (state != WA_ACTIVE && state != WA_CLICKACTIVE) return;
  if (hostWindow && hostWindow->m_hWnd) ::SendMessageA(hostWindow->m_hWnd, WM_TOOL_ACTIVATED, toolNumber, 0);
  // Back from another program (the external editor, say): the open memo's
  // file may have changed. Not after a box or dialog of the panel's own.
  bool fromOwnWindow = previous && ::GetWindowThreadProcessId(previous, NULL) == ::GetCurrentThreadId();
  if (!fromOwnWindow) PostMessage(WM_PANEL_CHECK_DISK);
}

void ToolPanel::OnClose() {
  if (hostWindow && hostWindow->m_hWnd) ::SendMessageA(hostWindow->m_hWnd, WM_TOOL_CLOSING, toolNumber, 0);
  DestroyWindow();
}

void ToolPanel::OnDestroy() {
  KillTimer(RecoveryTimer);
  recoverySchedule.Stop();
  // Before the close, which leaves no memo open.
  StoreWhereLeft();
  if (!CloseMemo() && Pane().Edited()) RescueUnsavedEdits();
  memo.Recovery().Release();
  // The browser control goes with its container window, and must be gone
  // before OLE ends on this thread.
  browser.DestroyWindow();
  browser.Detach();
  oleApartment->Uninitialize();
  if (memoList) {
    memoList->Teardown();
    delete memoList;
    memoList = NULL;
  }
  listFont.DeleteObject();
  titleFont.DeleteObject();
  for (CBitmap*& bitmap : folderBitmaps) {
    delete bitmap;
    bitmap = NULL;
  }
  // Loaded at a size of our own, so not shared: ours to destroy.
  if (readOnlyIcon) ::DestroyIcon(readOnlyIcon);
  readOnlyIcon = NULL;
  // A close sent from another thread is handled inside the loop's wait for
  // the next message: wake the loop so it sees the window is gone and ends.
  ::PostThreadMessageA(::GetCurrentThreadId(), WM_NULL, 0, 0);
}

// The stored corner is that of the normal-position rectangle, which is in
// workspace coordinates: it goes back the same way, else a taskbar at the top
// or left would move the panel by its size at every start. SetWindowPlacement
// also brings a rectangle that lies off every monitor back onto one.
void ToolPanel::RestorePosition() {
  RECT outer = Scaled(RECT{0, 0, 765, 600});
  ::AdjustWindowRect(&outer, GetStyle(), FALSE);
  ToolSettings settings = Settings();
  int x = ReadPosition(settings.Read(SettingKeys[WndPosXKey]).c_str());
  int y = ReadPosition(settings.Read(SettingKeys[WndPosYKey]).c_str());
  WINDOWPLACEMENT placement;
  if (!GetWindowPlacement(&placement)) return;
  placement.flags = 0;
  // The host shows the panel once it is ready.
  placement.showCmd = SW_HIDE;
  placement.rcNormalPosition = {x, y, x + outer.right - outer.left, y + outer.bottom - outer.top};
  SetWindowPlacement(&placement);
}

void ToolPanel::StorePosition() {
  WINDOWPLACEMENT placement;
  if (!GetWindowPlacement(&placement)) return;
  ToolSettings settings = Settings();
  char value[12];
  FormatPosition(placement.rcNormalPosition.left, value);
  settings.Write(SettingKeys[WndPosXKey], value);
  FormatPosition(placement.rcNormalPosition.top, value);
  settings.Write(SettingKeys[WndPosYKey], value);
}

void ToolPanel::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(m_hWnd, &paint);
  std::string path = Settings().Read(FolderPathKey(currentFolder));
  RECT band = Scaled(headerBand);
  ::DrawEdge(dc, &band, EDGE_ETCHED, BF_RECT);
  band.left += Scaled(10);
  band.right -= Scaled(10);
  int oldMode = ::SetBkMode(dc, TRANSPARENT);
  COLORREF oldColor = ::SetTextColor(dc, RGB(100, 100, 100));
  HGDIOBJ oldFont = ::SelectObject(dc, titleFont.m_hObject);
  ::DrawTextA(dc, path.c_str(), -1, &band, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_PATH_ELLIPSIS | DT_NOPREFIX);
  ::SelectObject(dc, oldFont);
  ::SetTextColor(dc, oldColor);
  ::SetBkMode(dc, oldMode);
  ::EndPaint(m_hWnd, &paint);
}

void ToolPanel::InvalidateHeaderBand() {
  RECT band = Scaled(headerBand);
  InvalidateRect(&band, TRUE);
}

void ToolPanel::ShowCurrentFolder() {
  for (int folder = 1; folder <= 5; ++folder)
    GetDlgItem(folderButtonIds[folder - 1]).SendMessage(BM_SETSTATE, folder == currentFolder ? TRUE : FALSE);
}
