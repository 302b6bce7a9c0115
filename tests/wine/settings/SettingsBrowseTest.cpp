// The browse buttons of the settings dialog: the folder browser, opened at the
// stored folder, and the open-file dialog for the editor. One run of the
// dialog serves both: every dialog closed costs Wine a wait under Xvfb.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "SettingsDriver.h"

namespace {

bool SamePath(const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) == 0; }

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  for (const std::string& t : texts)
    if (t == text) return true;
  return false;
}

std::string CurrentDirectory() {
  char directory[MAX_PATH] = "";
  ::GetCurrentDirectoryA(sizeof(directory), directory);
  return directory;
}

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char item[256] = "";
    if (::SendMessageA(combo, CB_GETLBTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof(item)))
      ::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    items.push_back(item);
  }
  return items;
}

// What the folder browser of row 3 did, seen from the settings dialog.
struct FolderBrowsing {
  int browsersSeen = 0;
  HWND owner = reinterpret_cast<HWND>(-1);
  std::vector<std::string> browserTexts;
  std::string afterCancel, afterOk, afterVirtual;

  void Run(HWND dialog) {
    // The browser starts from the stored folder, not from what was typed.
    TypeInto(dialog, IDC_SETTINGS_PATH3, "C:\\typed");
    if (HWND browser = PressForDialog(dialog, IDC_SETTINGS_BROWSE3)) {
      ++browsersSeen;
      owner = ::GetWindow(browser, GW_OWNER);
      browserTexts = ChildTexts(browser);
      PressDialogButton(browser, IDCANCEL);
      WaitGone(browser);
    }
    afterCancel = DialogText(dialog, IDC_SETTINGS_PATH3);

    // Confirmed as it opened, it gives the folder it was opened at.
    if (HWND browser = PressForDialog(dialog, IDC_SETTINGS_BROWSE3)) {
      ++browsersSeen;
      PressDialogButton(browser, IDOK);
      WaitGone(browser);
    }
    afterOk = DialogText(dialog, IDC_SETTINGS_PATH3);

    // The computer has no path: the field keeps its text.
    if (HWND browser = PressForDialog(dialog, IDC_SETTINGS_BROWSE3)) {
      ++browsersSeen;
      LPITEMIDLIST computer = NULL;
      ::SHGetSpecialFolderLocation(NULL, CSIDL_DRIVES, &computer);
      ::SendMessageA(browser, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(computer));
      PressDialogButton(browser, IDOK);
      WaitGone(browser);
      ::CoTaskMemFree(computer);
    }
    afterVirtual = DialogText(dialog, IDC_SETTINGS_PATH3);
  }
};

// What the editor's open-file dialog did.
struct EditorBrowsing {
  explicit EditorBrowsing(const std::string& editor) : program(editor) {}
  std::string program;
  int pickersSeen = 0;
  std::string caption, afterCancel, afterOk;
  std::string directoryAfterCancel, directoryAfterOk;
  std::vector<std::string> fileTypes;

  void Run(HWND dialog) {
    if (HWND picker = PressForDialog(dialog, IDC_SETTINGS_BROWSE_EDITOR)) {
      ++pickersSeen;
      char text[256] = "";
      ::GetWindowTextA(picker, text, sizeof(text));
      caption = text;
      fileTypes = ComboItems(::GetDlgItem(picker, cmb1));
      PressDialogButton(picker, IDCANCEL);
      WaitGone(picker);
    }
    // Read after the field: the panel's thread has finished the browse by then.
    afterCancel = DialogText(dialog, IDC_SETTINGS_EDITOR);
    directoryAfterCancel = CurrentDirectory();

    if (HWND picker = PressForDialog(dialog, IDC_SETTINGS_BROWSE_EDITOR)) {
      ++pickersSeen;
      HWND fileName = ::GetDlgItem(picker, cmb13);
      if (!fileName) fileName = ::GetDlgItem(picker, edt1);
      ::SendMessageA(fileName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(program.c_str()));
      PressDialogButton(picker, IDOK);
      WaitGone(picker);
    }
    afterOk = DialogText(dialog, IDC_SETTINGS_EDITOR);
    directoryAfterOk = CurrentDirectory();
  }
};

TEST(SettingsBrowse, BrowseButtonsFillTheFieldsAndStoreNothingBeforeOk) {
  TempFolder stored;
  TempFolder programs;
  const std::string program = programs / "pick.exe";
  WriteFileBytes(program, "MZ");
  ToolHarness harness;
  harness.settings.Set("ScribbitFolderPath3", stored.Path());
  harness.settings.Set("ScribbitEditorPath", "C:\\old\\editor.exe");
  ASSERT_TRUE(harness.Start());
  harness.settings.ClearWrites();
  const std::string directory = CurrentDirectory();

  FolderBrowsing folder;
  EditorBrowsing editor(program);
  bool storedBeforeOk = true;
  int modalDuring = -1;
  ASSERT_TRUE(RunSettingsDialog(harness, [&](HWND dialog) {
    folder.Run(dialog);
    editor.Run(dialog);
    storedBeforeOk = !harness.settings.Writes().empty();
    modalDuring = harness.tool->modalFlag;
    PressDialogButton(dialog, IDOK);
  }));

  ASSERT_EQ(3, folder.browsersSeen);
  EXPECT_EQ(NULL, folder.owner);
  EXPECT_TRUE(Contains(folder.browserTexts, "ﾌｫﾙﾀﾞを選択して下さい"));
  EXPECT_EQ("C:\\typed", folder.afterCancel);
  EXPECT_TRUE(SamePath(stored.Path(), folder.afterOk)) << folder.afterOk;
  EXPECT_EQ(folder.afterOk, folder.afterVirtual);

  ASSERT_EQ(2, editor.pickersSeen);
  EXPECT_EQ("エディタを選択して下さい。", editor.caption);
  EXPECT_EQ((std::vector<std::string>{"ﾌﾟﾛｸﾞﾗﾑ(*.exe)", "全てのﾌｧｲﾙ(*.*)"}), editor.fileTypes);
  EXPECT_EQ("C:\\old\\editor.exe", editor.afterCancel);
  EXPECT_TRUE(SamePath(program, editor.afterOk)) << editor.afterOk;
  // The open-file dialog moves the process's current directory; it is put back.
  EXPECT_EQ(directory, editor.directoryAfterCancel);
  EXPECT_EQ(directory, editor.directoryAfterOk);

  EXPECT_FALSE(storedBeforeOk);
  EXPECT_EQ(1, modalDuring);
  EXPECT_EQ(folder.afterOk, harness.settings.Get("ScribbitFolderPath3"));
  EXPECT_EQ(editor.afterOk, harness.settings.Get("ScribbitEditorPath"));
}

}  // namespace
