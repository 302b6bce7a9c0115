#include "OperationsFixture.h"

#include <shlobj.h>

#include <cstring>

Answer TypeTitle(const std::string& title) {
  return [title](HWND dialog) {
    SetItemText(dialog, IDC_MEMO_NAME_TITLE, title);
    PressDialogButton(dialog, IDOK);
  };
}

void SetItemText(HWND dialog, int id, const std::string& text) {
  ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string TooLongForThePane() {
  std::string text;
  while (text.size() <= 250000) text += "0123456789abcdef\r\n";
  return text;
}

void RewriteKeepingTime(const std::string& path, const std::string& bytes) {
  WIN32_FILE_ATTRIBUTE_DATA before;
  ASSERT_TRUE(::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &before));
  ASSERT_TRUE(WriteFileBytes(path, bytes));
  HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
  ASSERT_TRUE(::SetFileTime(file, NULL, NULL, &before.ftLastWriteTime));
  ::CloseHandle(file);
}

void OperationsTest::SetUp() { ASSERT_TRUE(harness.Start()); }

void OperationsTest::WriteMemos(const std::vector<std::pair<std::string, std::string>>& files) {
  for (const auto& file : files) ASSERT_TRUE(WriteFileBytes(MemoPath(file.first), file.second));
  Relist();
}

void OperationsTest::Relist() {
  static const int buttons[] = {IDC_PANEL_FOLDER1, IDC_PANEL_FOLDER2, IDC_PANEL_FOLDER3, IDC_PANEL_FOLDER4, IDC_PANEL_FOLDER5};
  int folder = harness.CurrentFolder();
  // Folder 5 is set only for the switch, so the tests see it unset.
  harness.settings.Set("ScribbitFolderPath5", spare.Path());
  harness.Click(IDC_PANEL_FOLDER5);
  harness.Click(buttons[folder - 1]);
  harness.settings.Set("ScribbitFolderPath5", "");
}

std::vector<std::string> OperationsTest::Titles() { return harness.Titles(); }

int OperationsTest::IndexOf(const std::string& title) {
  std::vector<std::string> titles = Titles();
  for (size_t i = 0; i < titles.size(); ++i)
    if (titles[i] == title) return static_cast<int>(i);
  return -1;
}

void OperationsTest::Select(int index) { harness.SelectIndex(index); }

void OperationsTest::OpenMemo(const std::string& title, DWORD kind) { harness.Select(title, kind); }

std::string OperationsTest::PaneText() {
  HWND pane = harness.Item(IDC_PANEL_TEXT);
  std::string text(::GetWindowTextLengthA(pane) + 1, '\0');
  text.resize(::GetWindowTextA(pane, &text[0], static_cast<int>(text.size())));
  return text;
}

bool OperationsTest::PaneShown() { return (::GetWindowLongA(harness.Item(IDC_PANEL_TEXT), GWL_STYLE) & WS_VISIBLE) != 0; }

bool OperationsTest::PaneModified() { return ::SendMessageA(harness.Item(IDC_PANEL_TEXT), EM_GETMODIFY, 0, 0) != 0; }

void OperationsTest::TypeIntoPane(const std::string& text) {
  HWND pane = harness.Item(IDC_PANEL_TEXT);
  ::SendMessageA(pane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  ::SendMessageA(pane, EM_SETMODIFY, TRUE, 0);
}

std::vector<Shown> OperationsTest::Drop(const std::vector<std::string>& paths, const std::vector<Answer>& answers) {
  std::vector<std::wstring> wide;
  for (const std::string& path : paths) {
    std::wstring name(path.size() + 1, L'\0');
    name.resize(static_cast<size_t>(::MultiByteToWideChar(932, 0, path.c_str(), -1, &name[0], static_cast<int>(name.size()))) - 1);
    wide.push_back(name);
  }
  return Drop(wide, answers);
}

std::vector<Shown> OperationsTest::Drop(const std::vector<std::wstring>& paths, const std::vector<Answer>& answers) {
  size_t size = sizeof(DROPFILES) + sizeof(wchar_t);
  for (const std::wstring& path : paths) size += (path.size() + 1) * sizeof(wchar_t);
  HGLOBAL drop = ::GlobalAlloc(GHND, size);
  DROPFILES* files = static_cast<DROPFILES*>(::GlobalLock(drop));
  files->pFiles = sizeof(DROPFILES);
  files->fWide = TRUE;
  wchar_t* name = reinterpret_cast<wchar_t*>(files + 1);
  for (const std::wstring& path : paths) {
    memcpy(name, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    name += path.size() + 1;
  }
  ::GlobalUnlock(drop);
  // The list releases the drop.
  HWND list = harness.List();
  return Answering(answers, [&] { ::SendMessageA(list, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0); });
}

std::vector<Shown> OperationsTest::AnsweringAny(const std::function<void()>& action) {
  BoxAnswerer answerer(harness.PanelThreadId(), harness.PanelWindow(), {}, Press(IDOK));
  action();
  return answerer.Finish();
}

std::vector<Shown> OperationsTest::Answering(const std::vector<Answer>& answers, const std::function<void()>& action) {
  BoxAnswerer answerer(harness.PanelThreadId(), harness.PanelWindow(), answers);
  action();
  return answerer.Finish();
}
