// Opening the selected memo: a text memo into the text pane, an HTML memo
// into the browser pane; and the panel with no memo open.
#include <string>

#include "core/MemoTitle.h"
#include "core/NameText.h"
#include "framework/WideText.h"
#include "core/MemoPaths.h"
#include "plugin/ToolPanel.h"

const char NoMemoTitle[] = " (No files opened!) ";

namespace {

const char createdNotice[] = "（ファイルを開けなかったため新規作成しました。）";
const char missingNotice[] = "（メモファイルが見つかりません。ほかのプログラムで削除されたか、名前を変えられたようです。）";
const char overflowNotice[] = " // -- 文字数オーバー！";
const char pathTooLong[] = "メモファイルのパスが長すぎるため、開けませんでした！";
// A page still loading is looked at again this often, this many times.
const UINT htmlCheckMs = 250;
const int htmlChecks = 20;

// Why the memo is read-only, shown in the title strip: short, so that a long
// title keeps a few characters of its start and end beside each.
const char* ReasonText(NeverWriteReason reason) {
  switch (reason) {
    case NeverWriteReason::None:
      break;
    case NeverWriteReason::Cut:
      return "全文を表示できないため読取り専用";
    case NeverWriteReason::Unreadable:
      return "ファイルを読み込めないため読取り専用";
    case NeverWriteReason::Missing:
      return "ファイルが見つからないため読取り専用";
    case NeverWriteReason::NotItsEncoding:
      return "文字コードが正しくないため読取り専用";
    case NeverWriteReason::PathTooLong:
      return "パスが長すぎます";
    case NeverWriteReason::HtmlAsText:
      return "HTMLを表示できないため、テキストで表示";
    case NeverWriteReason::DeviceName:
      return "Windowsでは使えない名前のため読取り専用";
    case NeverWriteReason::HardLink:
      return "ハードリンクのため読取り専用";
  }
  return NULL;
}

// The view's text with the notice it carries.
std::u16string ShownText(const MemoView& view) {
  switch (view.notice) {
    case MemoView::Notice::None:
      break;
    case MemoView::Notice::Overflow:
      return view.text + WideFromCp932(overflowNotice);
    case MemoView::Notice::Created:
      return view.text + WideFromCp932(createdNotice);
    case MemoView::Notice::Missing:
      return view.text + WideFromCp932(missingNotice);
  }
  return view.text;
}

}  // namespace

void ToolPanel::OpenMemo() {
  if (currentSelection < 0) return;
  char title[CVardenListBox::TextBufferSize];
  memoList->GetText(currentSelection, title);
  DWORD kind = memoList->GetItemData(currentSelection);
  std::string folder;
  // Empty when it does not fit: the memo then shows why it cannot open.
  ListedFolderPath(folder);
  memo.Open(folder, title, kind);
  if (kind == MemoKindText) {
    LoadTextMemo();
  } else if (kind == MemoKindHtml) {
    ShowHtmlMemo();
  }
}

void ToolPanel::LoadTextMemo() {
  // Edits still in the pane belong to the memo that was open before; its
  // close already saved them. They must neither be written into this memo
  // nor make the read-only switch below close and reopen again.
  Pane().SetModify(FALSE);
  ShowTextMemo(memo.Load());
  if (memo.NeverWrites() == NeverWriteReason::PathTooLong) ShowMessage(pathTooLong, MB_ICONEXCLAMATION);
}

void ToolPanel::ShowTextMemo(const MemoView& view) {
  TextPane pane = Pane();
  CWindow toggle = ReadOnlyToggle();
  toggle.EnableWindow(TRUE);
  pane.ShowWindow(SW_SHOW);
  browser.SetVisible(false);
  if (memo.NeverWrites() == NeverWriteReason::None) {
    SetMemoReadOnly(false, view.fileReadOnly);
    toggle.SetCheck(view.fileReadOnly ? BST_CHECKED : BST_UNCHECKED);
  }
  ShowTitleCaption(NULL);
  pane.Show(ShownText(view));
  if (memo.NeverWrites() != NeverWriteReason::None) ShowNeverWrite(memo.NeverWrites());
}

// The pane does not hold the whole file: keep it read-only, say why, and
// keep every write path away from the file.
void ToolPanel::ShowNeverWrite(NeverWriteReason reason) {
  memo.NeverWrite(reason);
  Pane().SetReadOnly(TRUE);
  CWindow toggle = ReadOnlyToggle();
  toggle.SetCheck(BST_CHECKED);
  toggle.EnableWindow(FALSE);
  ShowTitleCaption(ReasonText(reason));
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
    std::u16string wide = Utf16FromUtf8(text);
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, WidePointer(wide), static_cast<int>(wide.size()), &size);
    return static_cast<int>(size.cx);
  };
  // The title is UTF-8, the note one of our code page 932 texts.
  std::string title = memo.Title(), note = reason ? Utf8FromCp932(reason) : "";
  std::string caption = FittedCaption(title, note, room.right - room.left, width);
  ::SelectObject(dc, oldFont);
  ::ReleaseDC(strip, dc);
  ::SetWindowTextW(strip, WidePointer(Utf16FromUtf8(caption)));
  std::string whole = CaptionOf(title, note);
  toolTips.AddTool(strip, caption == whole ? std::u16string() : Utf16FromUtf8(whole));
}

void ToolPanel::ShowMemoCaption() { ShowTitleCaption(ReasonText(memo.NeverWrites())); }

// The panel with no memo open: only the marker in the title strip, and the
// toggle free.
void ToolPanel::ShowNoMemo() {
  CWindow strip = TitleCaption();
  strip.SetWindowText(NoMemoTitle);
  toolTips.AddTool(strip, "");
  CWindow toggle = ReadOnlyToggle();
  toggle.SetCheck(BST_UNCHECKED);
  toggle.EnableWindow(TRUE);
}

void ToolPanel::ShowHtmlMemo() {
  CWindow toggle = ReadOnlyToggle();
  toggle.SetCheck(BST_UNCHECKED);
  toggle.EnableWindow(FALSE);
  // The control would open the device the name stands for.
  if (memo.HasDeviceName()) {
    ShowHtmlAsText();
    return;
  }
  Pane().ShowWindow(SW_HIDE);
  browser.SetVisible(true);
  char path[MemoPathSize];
  if (!memo.HtmlPath(path)) {
    NavigateBrowser("about:blank");
    memo.NeverWrite(NeverWriteReason::PathTooLong);
    ShowTitleCaption(ReasonText(NeverWriteReason::PathTooLong));
    ShowMessage(pathTooLong, MB_ICONEXCLAMATION);
    return;
  }
  NavigateBrowser(path);
  ShowTitleCaption(NULL);
  htmlChecksLeft = htmlChecks;
  CheckHtmlShown();
}

void ToolPanel::CheckHtmlShown() {
  KillTimer(HtmlCheckTimer);
  if (!memo.IsHtml() || memo.NeverWrites() != NeverWriteReason::None) return;
  switch (htmlProbe->Check(browser)) {
    case HtmlRendering::Shown:
      return;
    case HtmlRendering::Loading:
      // A page that takes longer is left to the control.
      if (--htmlChecksLeft > 0) SetTimer(HtmlCheckTimer, htmlCheckMs);
      return;
    case HtmlRendering::Impossible:
      ShowHtmlAsText();
      return;
  }
}

// No HTML engine draws the page: the user still sees what the memo says,
// read-only, and the caption says why.
void ToolPanel::ShowHtmlAsText() {
  MemoView view = memo.LoadHtmlAsText();
  browser.SetVisible(false);
  TextPane pane = Pane();
  pane.Show(ShownText(view));
  pane.SetReadOnly(TRUE);
  pane.ShowWindow(SW_SHOW);
  ShowTitleCaption(ReasonText(memo.NeverWrites()));
}

void ToolPanel::NavigateBrowser(const char* url) {
  std::u16string wide = Utf16FromUtf8(url);
  VARIANT address;
  ::VariantInit(&address);
  address.vt = VT_BSTR;
  address.bstrVal = ::SysAllocStringLen(WidePointer(wide), static_cast<UINT>(wide.size()));
  browser.Navigate2(&address, NULL, NULL, NULL, NULL);
  ::VariantClear(&address);
}
