// Opening the selected memo: a text memo into the text pane, an HTML memo
// into the browser pane.
#include <io.h>

#include <cstring>
#include <string>

#include "core/MemoText.h"
#include "core/MemoPaths.h"
#include "core/MemoTitle.h"
#include "core/SettingKeys.h"
#include "plugin/ToolPanel.h"
#include "framework/WideText.h"

namespace {

const char createdNotice[] = "（ファイルを開けなかったため新規作成しました。）";
const char overflowNotice[] = " // -- 文字数オーバー！";
const char pathTooLong[] = "メモファイルのパスが長すぎるため、開けませんでした！";
// Why the memo is read-only, shown in the title strip: short, so that a long
// title keeps a few characters of its start and end beside each.
const char reasonCut[] = "全文を表示できないため読取り専用";
const char reasonUnreadable[] = "ファイルを読み込めないため読取り専用";
const char reasonNotCp932Text[] = "文字コードが正しくないため読取り専用";
const char reasonPathTooLong[] = "パスが長すぎます";
const char reasonHtmlAsText[] = "HTMLを表示できないため、テキストで表示";
const char reasonDeviceName[] = "Windowsでは使えない名前のため読取り専用";
const char reasonSharedFile[] = "ハードリンクのため読取り専用";
// A page still loading is looked at again this often, this many times.
const UINT htmlCheckMs = 250;
const int htmlChecks = 20;
// Memo text is code page 932 whatever the system's code page.
const UINT memoCodePage = 932;

}  // namespace

void ToolPanel::OpenMemo() {
  if (currentSelection < 0) return;
  char title[CVardenListBox::TextBufferSize];
  memoList->GetText(currentSelection, title);
  DWORD kind = memoList->GetItemData(currentSelection);
  char folder[SettingValueSize];
  MemoFolderPath(folder);  // empty when it does not fit

  currentTitle = title;
  currentKind = kind;
  memoSession.Open(folder, title);
  if (kind == MemoKindText) {
    char path[MAX_PATH];
    if (MemoFilePath(".txt", path)) {
      LoadTextMemo(path);
      return;
    }
    ReadOnlyToggle().EnableWindow(TRUE);
    TextPane().ShowWindow(SW_SHOW);
    browser.SetVisible(false);
    TextPane().SetWindowText("");
    ShowIncompleteMemo(reasonPathTooLong);
    ShowMessage(pathTooLong, MB_ICONEXCLAMATION);
  } else if (kind == MemoKindHtml) {
    ShowHtmlMemo();
  }
}

void ToolPanel::LoadTextMemo(const char* path) {
  CWindow pane = TextPane();
  CWindow toggle = ReadOnlyToggle();
  toggle.EnableWindow(TRUE);
  pane.ShowWindow(SW_SHOW);
  browser.SetVisible(false);
  // Edits still in the pane belong to the memo that was open before; its
  // close already saved them. They must neither be written into this memo
  // nor make the read-only switch below close and reopen again.
  pane.SetModify(FALSE);
  memoSession.incomplete = false;
  // The pane shows the file from here on: no edit is left to recover.
  memoSession.DropRecovery();

  std::u16string text;
  const char* reason = NULL;
  MemoLoadResult loaded = memoSession.Load();
  switch (loaded) {
    case MemoLoadResult::Loaded:
    case MemoLoadResult::ReadError: {
      text = memoSession.loaded.text;
      PaneLoss loss = FitPaneText(text);
      if (loss == PaneLoss::Cut) text += WideFromCp932(overflowNotice);
      if (loss != PaneLoss::None) reason = reasonCut;
      // Bytes that are no character of the encoding would be changed by a write.
      if (memoSession.loaded.verdict != MemoVerdict::Editable) reason = reasonNotCp932Text;
      // What follows a failed read is unknown: the pane never replaces it.
      if (loaded == MemoLoadResult::ReadError) reason = reasonUnreadable;
      // A save gives the memo's name a new file: the file's other names would keep the old text.
      if (memoSession.stamp.links > 1) reason = reasonSharedFile;
      break;
    }
    case MemoLoadResult::Unreadable:
      // Another program holds it, or it is not a file: it is not empty, and
      // the notice must never replace it.
      text = WideFromCp932(createdNotice);
      reason = reasonUnreadable;
      break;
    case MemoLoadResult::Missing:
      if (!memoSession.HasDeviceName()) CreateEmptyMemoFile(path);
      memoSession.Load();
      text = WideFromCp932(createdNotice);
      break;
  }
  if (memoSession.HasDeviceName()) reason = reasonDeviceName;
  if (!reason) {
    BOOL readOnly = IsMemoFileReadOnly(path);
    SetMemoReadOnly(NULL, readOnly);
    toggle.SetCheck(readOnly ? BST_CHECKED : BST_UNCHECKED);
  }
  ShowTitleCaption(NULL);
  ::SetWindowTextW(pane, WidePointer(text));
  if (reason) ShowIncompleteMemo(reason);
}

// The pane does not hold the whole file: keep it read-only, say why, and
// keep every write path away from the file.
void ToolPanel::ShowIncompleteMemo(const char* reason) {
  memoSession.incomplete = true;
  TextPane().SetReadOnly(TRUE);
  CWindow toggle = ReadOnlyToggle();
  toggle.SetCheck(BST_CHECKED);
  toggle.EnableWindow(FALSE);
  ShowTitleCaption(reason);
}

// The title, followed by why the memo cannot be edited when there is a
// reason. That note is what the user must read: a title too long to leave it
// room is cut in its middle, and the whole caption goes to the strip's tooltip.
void ToolPanel::ShowTitleCaption(const char* reason) {
  CWindow strip = TitleCaption();
  RECT room;
  strip.GetClientRect(&room);
  HDC dc = ::GetDC(strip);
  HGDIOBJ oldFont = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(strip.SendMessage(WM_GETFONT)));
  auto width = [dc](const std::string& text) {
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  std::string title = currentTitle.GetString(), note = reason ? reason : "";
  std::string caption = FittedCaption(title, note, room.right - room.left, width);
  ::SelectObject(dc, oldFont);
  ::ReleaseDC(strip, dc);
  strip.SetWindowText(caption.c_str());
  std::string whole = CaptionOf(title, note);
  toolTips.AddTool(strip, caption == whole ? "" : whole.c_str());
}

void ToolPanel::ShowHtmlMemo() {
  CWindow toggle = ReadOnlyToggle();
  toggle.SetCheck(BST_UNCHECKED);
  toggle.EnableWindow(FALSE);
  // The control would open the device the name stands for.
  if (memoSession.HasDeviceName()) {
    ShowHtmlAsText(reasonDeviceName);
    return;
  }
  TextPane().ShowWindow(SW_HIDE);
  browser.SetVisible(true);
  char path[MAX_PATH];
  if (!HtmlMemoPath(path)) {
    NavigateBrowser("about:blank");
    ShowTitleCaption(reasonPathTooLong);
    ShowMessage(pathTooLong, MB_ICONEXCLAMATION);
    return;
  }
  NavigateBrowser(path);
  ShowTitleCaption(NULL);
  htmlChecksLeft = htmlChecks;
  CheckHtmlShown();
}

bool ToolPanel::HtmlMemoPath(char* out) {
  char htm[MAX_PATH];
  if (!MemoFilePath(".html", out) || !MemoFilePath(".htm", htm)) return false;
  if (_access(out, 4) != 0) memcpy(out, htm, sizeof(htm));
  return true;
}

void ToolPanel::CheckHtmlShown() {
  KillTimer(HtmlCheckTimer);
  if (!IsMemoOpen() || currentKind != MemoKindHtml || memoSession.incomplete) return;
  switch (htmlProbe->Check(browser)) {
    case HtmlRendering::Shown:
      return;
    case HtmlRendering::Loading:
      // A page that takes longer is left to the control.
      if (--htmlChecksLeft > 0) SetTimer(HtmlCheckTimer, htmlCheckMs);
      return;
    case HtmlRendering::Impossible:
      ShowHtmlAsText(reasonHtmlAsText);
      return;
  }
}

// No HTML engine draws the page: the user still sees what the memo says,
// read-only, and the caption says why.
void ToolPanel::ShowHtmlAsText(const char* reason) {
  char path[MAX_PATH];
  std::string bytes;
  MemoFileStamp stamp;
  std::u16string text;
  if (HtmlMemoPath(path) && LoadMemoFile(*memoSession.fileOps, memoSession.HasDeviceName() ? LiteralPath(path).c_str() : path, bytes,
                                         stamp) != MemoLoadResult::Unreadable) {
    text = DecodeMemoText(bytes.data(), bytes.size()).text;
    if (FitPaneText(text) == PaneLoss::Cut) text += WideFromCp932(overflowNotice);
  }
  browser.SetVisible(false);
  CWindow pane = TextPane();
  ::SetWindowTextW(pane, WidePointer(text));
  pane.SetReadOnly(TRUE);
  pane.ShowWindow(SW_SHOW);
  memoSession.incomplete = true;
  ShowTitleCaption(reason);
}

void ToolPanel::NavigateBrowser(const char* url) {
  int length = ::MultiByteToWideChar(memoCodePage, 0, url, -1, NULL, 0);
  VARIANT address;
  ::VariantInit(&address);
  address.vt = VT_BSTR;
  address.bstrVal = ::SysAllocStringLen(NULL, length > 0 ? length - 1 : 0);
  if (length > 0) ::MultiByteToWideChar(memoCodePage, 0, url, -1, address.bstrVal, length);
  browser.Navigate2(&address, NULL, NULL, NULL, NULL);
  ::VariantClear(&address);
}
