// Opening the selected memo: a text memo into the text pane, an HTML memo
// into the browser pane.
#include <cstdio>
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

// Appends the file's text as a line reader with a 200000-byte buffer sees it:
// pieces end after a line feed or when the buffer is full, and each piece is
// taken as a zero-terminated string, so a NUL byte hides the rest of its
// piece. Returns false when a NUL hid any byte.
bool ReadMemoText(FILE* file, std::string& text) {
  std::string bytes;
  char block[65536];
  size_t got;
  while ((got = fread(block, 1, sizeof(block), file)) > 0) bytes.append(block, got);
  text.reserve(bytes.size());
  bool whole = true;
  const char* p = bytes.data();
  const char* end = p + bytes.size();
  while (p < end) {
    size_t room = static_cast<size_t>(end - p);
    if (room > pieceBufferSize - 1) room = pieceBufferSize - 1;
    const char* lineFeed = static_cast<const char*>(memchr(p, '\n', room));
    size_t pieceLength = lineFeed ? static_cast<size_t>(lineFeed - p) + 1 : room;
    size_t visible = strnlen(p, pieceLength);
    if (visible != pieceLength) whole = false;
    text.append(p, visible);
    p += pieceLength;
  }
  return whole;
}

}  // namespace

void ToolPanel::OpenMemo() {
  if (currentSelection < 0) return;
  char title[CVardenListBox::TextBufferSize];
  memoList->GetText(currentSelection, title);
  currentTitle = title;
  currentKind = memoList->GetItemData(currentSelection);
  paneIncomplete = false;

  if (currentKind == MemoKindText) {
    char path[MAX_PATH];
    if (!MemoFilePath(".txt", path)) {
      ShowMessage(pathTooLong, MB_ICONEXCLAMATION);
      ReadOnlyToggle().EnableWindow(TRUE);
      TextPane().ShowWindow(SW_SHOW);
      browser.SetVisible(false);
      TextPane().SetWindowText("");
      ShowIncompleteMemo("パスが長すぎます");
      return;
    }
    LoadTextMemo(path);
  } else if (currentKind == MemoKindHtml) {
    char htmlPath[MAX_PATH], htmPath[MAX_PATH];
    if (!MemoFilePath(".html", htmlPath) || !MemoFilePath(".htm", htmPath)) {
      ShowMessage(pathTooLong, MB_ICONEXCLAMATION);
      return;
    }
    ShowHtmlMemo(htmlPath, htmPath);
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
  FILE* file = fopen(path, "rb");
  if (file) {
    whole = ReadMemoText(file, text);
    BOOL readOnly = _access(path, 6) != 0;
    SetMemoReadOnly(NULL, readOnly);
    toggle.SetCheck(readOnly ? BST_CHECKED : BST_UNCHECKED);
    fclose(file);
  } else {
    file = fopen(path, "a+");
    text = createdNotice;
    if (file) fclose(file);
  }
  if (text.size() > textPaneLimit) {
    text.resize(textPaneLimit);
    text += overflowNotice;
    whole = false;
  }
  TitleCaption().SetWindowText(currentTitle);
  pane.SetWindowText(text.c_str());
  if (!whole) ShowIncompleteMemo("全文を表示できないため読取り専用");
}

// The pane shows only part of the file: keep it read-only, say why, and
// keep every write path away from the file.
void ToolPanel::ShowIncompleteMemo(const char* reason) {
  paneIncomplete = true;
  CWindow pane = TextPane();
  pane.SetReadOnly(TRUE);
  pane.SetModify(FALSE);
  CWindow toggle = ReadOnlyToggle();
  toggle.SetCheck(BST_CHECKED);
  toggle.EnableWindow(FALSE);
  CString caption = currentTitle;
  caption += "  （";
  caption += reason;
  caption += "）";
  TitleCaption().SetWindowText(caption);
}

void ToolPanel::ShowHtmlMemo(const char* htmlPath, const char* htmPath) {
  TextPane().ShowWindow(SW_HIDE);
  browser.SetVisible(true);
  CWindow toggle = ReadOnlyToggle();
  toggle.SetCheck(BST_UNCHECKED);
  toggle.EnableWindow(FALSE);
  NavigateBrowser(_access(htmlPath, 4) == 0 ? htmlPath : htmPath);
  TitleCaption().SetWindowText(currentTitle);
}

void ToolPanel::NavigateBrowser(const char* url) {
  int length = ::MultiByteToWideChar(CP_ACP, 0, url, -1, NULL, 0);
  VARIANT address;
  ::VariantInit(&address);
  address.vt = VT_BSTR;
  address.bstrVal = ::SysAllocStringLen(NULL, length > 0 ? length - 1 : 0);
  if (length > 0) ::MultiByteToWideChar(CP_ACP, 0, url, -1, address.bstrVal, length);
  browser.Navigate2(&address, NULL, NULL, NULL, NULL);
  ::VariantClear(&address);
}

bool ToolPanel::MemoFilePath(const char* extension, char* out) {
  char folder[SettingValueSize];
  return MemoFolderPath(folder) && FormMemoFilePath(folder, currentTitle, extension, out, MAX_PATH);
}
