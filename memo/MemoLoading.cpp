// Opening the selected memo: a text memo into the text pane, an HTML memo
// into the browser pane.
#include <cstdio>
#include <cstring>
#include <io.h>
#include <string>

#include "MemoPaths.h"
#include "SettingKeys.h"
#include "ToolPanel.h"

namespace {

// The line reader's buffer: each piece holds at most one byte less.
const size_t pieceBufferSize = 200000;
const size_t textPaneLimit = 200000;
const char createdNotice[] = "（ファイルを開けなかったため新規作成しました。）";
const char overflowNotice[] = " // -- 文字数オーバー！";
const char pathTooLong[] = "メモファイルのパスが長すぎるため、開けませんでした！";
const char reasonCut[] = "全文を表示できないため読取り専用";
const char reasonUnreadable[] = "ファイルを読み込めないため読取り専用";
const char reasonPathTooLong[] = "パスが長すぎます";
// Memo text is code page 932 whatever the system's code page.
const UINT memoCodePage = 932;

// Appends the file's text as a line reader with a 200000-byte buffer sees it:
// pieces end after a line feed or when the buffer is full, and each piece is
// taken as a zero-terminated string, so a NUL byte hides the rest of its
// piece. The file is read in large blocks: reading it by lines or characters
// through the C runtime costs many times the whole load. Reading stops once
// the text passes the pane's limit, since it is cut there. Returns false
// when a NUL hid any byte.
bool ReadMemoText(FILE* file, std::string& text) {
  const size_t readBlock = 256 * 1024;
  std::string bytes;  // bytes read and not yet taken, from start on
  size_t start = 0;
  bool atEnd = false;
  bool whole = true;
  while (text.size() <= textPaneLimit) {
    size_t pending = bytes.size() - start;
    if (pending < pieceBufferSize - 1 && !atEnd) {
      bytes.erase(0, start);
      start = 0;
      size_t kept = bytes.size();
      bytes.resize(kept + readBlock);
      size_t got = fread(&bytes[kept], 1, readBlock, file);
      bytes.resize(kept + got);
      atEnd = got < readBlock;
      continue;
    }
    if (pending == 0) break;
    const char* piece = bytes.data() + start;
    size_t room = pending < pieceBufferSize - 1 ? pending : pieceBufferSize - 1;
    const char* lineFeed = static_cast<const char*>(memchr(piece, '\n', room));
    size_t pieceLength = lineFeed ? static_cast<size_t>(lineFeed - piece) + 1 : room;
    size_t visible = strnlen(piece, pieceLength);
    if (visible != pieceLength) whole = false;
    text.append(piece, visible);
    start += pieceLength;
  }
  return whole;
}

}  // namespace

void ToolPanel::OpenMemo() {
  if (currentSelection < 0) return;
  char title[CVardenListBox::TextBufferSize];
  memoList->GetText(currentSelection, title);
  DWORD kind = memoList->GetItemData(currentSelection);
  char folder[SettingValueSize];
  MemoFolderPath(folder);  // empty when it does not fit

  // A refused close left this very memo open with its edits (the read-only
  // switch closes and reopens): reloading would throw the edits away.
  if (IsMemoOpen() && TextPane().GetModify() && kind == currentKind && currentTitle == title && openFolderPath == folder) return;

  currentTitle = title;
  currentKind = kind;
  openFolderPath = folder;
  paneIncomplete = false;
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
  // close already saved or refused them. They must neither be written into
  // this memo nor make the read-only switch below close and reopen again.
  pane.SetModify(FALSE);

  std::string text;
  bool whole = true;
  const char* reason = reasonCut;
  FILE* file = fopen(path, "rb");
  if (file) {
    whole = ReadMemoText(file, text);
    BOOL readOnly = _access(path, 6) != 0;
    SetMemoReadOnly(NULL, readOnly);
    toggle.SetCheck(readOnly ? BST_CHECKED : BST_UNCHECKED);
    fclose(file);
  } else {
    // A file that exists but cannot be read (another program holds it, or
    // it is not a file) is not empty: the notice must never replace it.
    if (::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
      whole = false;
      reason = reasonUnreadable;
    }
    file = fopen(path, "a+");
    text = createdNotice;
    if (file) fclose(file);
  }
  if (text.size() > textPaneLimit) {
    text.resize(textPaneLimit);
    text += overflowNotice;
    whole = false;
  }
  ShowTitleCaption(NULL);
  pane.SetWindowText(text.c_str());
  if (!whole) ShowIncompleteMemo(reason);
}

// The pane does not hold the whole file: keep it read-only, say why, and
// keep every write path away from the file.
void ToolPanel::ShowIncompleteMemo(const char* reason) {
  paneIncomplete = true;
  TextPane().SetReadOnly(TRUE);
  CWindow toggle = ReadOnlyToggle();
  toggle.SetCheck(BST_CHECKED);
  toggle.EnableWindow(FALSE);
  ShowTitleCaption(reason);
}

// The title, followed by why the memo cannot be edited when there is a reason.
void ToolPanel::ShowTitleCaption(const char* reason) {
  CString caption = currentTitle;
  if (reason) {
    caption += "  （";
    caption += reason;
    caption += "）";
  }
  TitleCaption().SetWindowText(caption);
}

void ToolPanel::ShowHtmlMemo() {
  TextPane().ShowWindow(SW_HIDE);
  browser.SetVisible(true);
  CWindow toggle = ReadOnlyToggle();
  toggle.SetCheck(BST_UNCHECKED);
  toggle.EnableWindow(FALSE);
  char htmlPath[MAX_PATH], htmPath[MAX_PATH];
  if (!MemoFilePath(".html", htmlPath) || !MemoFilePath(".htm", htmPath)) {
    NavigateBrowser("about:blank");
    ShowTitleCaption(reasonPathTooLong);
    ShowMessage(pathTooLong, MB_ICONEXCLAMATION);
    return;
  }
  NavigateBrowser(_access(htmlPath, 4) == 0 ? htmlPath : htmPath);
  ShowTitleCaption(NULL);
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

bool ToolPanel::MemoFilePath(const char* extension, char* out) {
  if (openFolderPath.IsEmpty()) {
    out[0] = '\0';
    return false;
  }
  return FormMemoFilePath(openFolderPath, currentTitle, extension, out, MAX_PATH);
}
