// What the memo tests share: a started panel over memo files made
// beforehand, and readers of the memo area as a user sees it.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ToolHarness.h"

// Every memo test's overflow and notice texts, as the pane shows them.
const char overflowNotice[] = " // -- 文字数オーバー！";
const char createdNotice[] = "（ファイルを開けなかったため新規作成しました。）";
const char missingNotice[] = "（メモファイルが見つかりません。ほかのプログラムで削除されたか、名前を変えられたようです。）";

class MemoPanel {
public:
  MemoPanel() { ::CreateDirectoryA(harness.Folder1().c_str(), NULL); }
  ToolHarness harness;

  std::string Path(const std::string& name) { return harness.Folder1() + "\\" + name; }
  bool Start() { return harness.Start(); }

  // Selects through the list, as a click does; false when no such entry.
  bool Select(const std::string& title, DWORD kind = MemoKindText) { return harness.Select(title, kind); }

  HWND Pane() { return harness.Item(IDC_PANEL_TEXT); }
  std::string PaneText() {
    int length = static_cast<int>(::SendMessageA(Pane(), WM_GETTEXTLENGTH, 0, 0));
    std::string text(length + 1, '\0');
    text.resize(::GetWindowTextA(Pane(), &text[0], length + 1));
    return text;
  }
  bool PaneReadOnly() { return (::GetWindowLongA(Pane(), GWL_STYLE) & ES_READONLY) != 0; }
  bool PaneModified() { return ::SendMessageA(Pane(), EM_GETMODIFY, 0, 0) != 0; }
  // Shown within the panel (the host may not have shown the panel itself).
  static bool Shown(HWND window) { return (::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }
  bool PaneVisible() { return Shown(Pane()); }
  // Types at the end of the pane, as a user does: the modified flag is set.
  void Type(const char* text) {
    LRESULT end = ::SendMessageA(Pane(), WM_GETTEXTLENGTH, 0, 0);
    ::SendMessageA(Pane(), EM_SETSEL, end, end);
    ::SendMessageA(Pane(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
  }
  std::string Caption() { return harness.ItemText(IDC_PANEL_TITLE); }
  HWND Toggle() { return harness.Item(IDC_PANEL_READ_ONLY); }
  bool ToggleChecked() { return ::SendMessageA(Toggle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool ToggleEnabled() { return ::IsWindowEnabled(Toggle()) != 0; }
  DWORD PanelThread() { return harness.PanelThreadId(); }
  HWND PanelWindow() { return harness.PanelWindow(); }
};

// Compares long texts without printing them whole.
inline ::testing::AssertionResult SameText(const std::string& expected, const std::string& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  return ::testing::AssertionFailure() << "expected " << expected.size() << " bytes, got " << actual.size() << ", first difference at byte "
                                       << at;
}

// A file's last write time, to tell a rewrite from no write.
inline ULONGLONG WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

// Dates the file back to 2001, so that any rewrite moves its time stamp.
inline void MakeOld(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
  FILETIME old = {0x0, 0x01C07400};
  ::SetFileTime(file, NULL, NULL, &old);
  ::CloseHandle(file);
}

inline void SetReadOnlyAttribute(const std::string& path, bool readOnly) {
  ::SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}
inline bool HasReadOnlyAttribute(const std::string& path) { return (::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0; }

// Memo text of the given length: CP932 lines ending in CR LF, as the pane holds them.
inline std::string MemoLines(size_t length) {
  const std::string line = "メモの一行です。abc\r\n";
  std::string text;
  while (text.size() + line.size() <= length) text += line;
  text.append(length - text.size(), 'x');
  return text;
}
