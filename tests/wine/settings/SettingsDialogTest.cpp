// The settings dialog: what it shows, what OK stores and in which order, what
// Cancel leaves alone, and how the panel follows an OK.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "SettingsDriver.h"

namespace {

typedef std::vector<std::pair<std::string, std::string>> Writes;

struct Row {
  int pathEdit;
  int nameEdit;
  int browseButton;
};

const Row rows[5] = {
    {IDC_SETTINGS_PATH1, IDC_SETTINGS_NAME1, 0},
    {IDC_SETTINGS_PATH2, IDC_SETTINGS_NAME2, IDC_SETTINGS_BROWSE2},
    {IDC_SETTINGS_PATH3, IDC_SETTINGS_NAME3, IDC_SETTINGS_BROWSE3},
    {IDC_SETTINGS_PATH4, IDC_SETTINGS_NAME4, IDC_SETTINGS_BROWSE4},
    {IDC_SETTINGS_PATH5, IDC_SETTINGS_NAME5, IDC_SETTINGS_BROWSE5},
};

std::string Key(const char* what, int folder) { return std::string("ScribbitFolder") + what + std::to_string(folder); }

class Settings : public ::testing::Test {
protected:
  // Stored values that differ from everything the tests type.
  void StoreOldValues() {
    harness.settings.Set("ScribbitFolderName1", "マイメモ");
    for (int folder = 2; folder <= 5; ++folder) {
      harness.settings.Set(Key("Path", folder), "C:\\old" + std::to_string(folder));
      harness.settings.Set(Key("Name", folder), "旧" + std::to_string(folder));
    }
    harness.settings.Set("ScribbitEditorPath", "C:\\old\\editor.exe");
    harness.settings.Set("ScribbitStamp", "旧スタンプ");
  }
  void Start() {
    ASSERT_TRUE(harness.Start());
    harness.settings.ClearWrites();
  }
  std::string Tip(int button) {
    char tip[300] = "";
    harness.Panel()->toolTips.GetText(harness.Item(button), tip, sizeof(tip));
    return tip;
  }
  ToolHarness harness;
};

// Opened, looked at, changed everywhere and left without OK, by the button or
// by the close box: it shows the stored values each time and stores nothing.
TEST_F(Settings, ShowsTheStoredValuesAndStoresNothingWithoutOk) {
  const std::vector<std::pair<const char*, std::function<void(HWND)>>> ways = {
      {"cancel button", [](HWND dialog) { PressDialogButton(dialog, IDCANCEL); }},
      {"close box", [](HWND dialog) { ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  StoreOldValues();
  Start();
  for (const auto& way : ways) {
    SCOPED_TRACE(way.first);
    struct Shown {
      std::string path, name;
      bool pathEnabled, nameEnabled, browseEnabled;
    } shown[5];
    std::string caption, editor, stamp;
    int modalDuring = -1;
    ASSERT_TRUE(RunSettingsDialog(harness, [&](HWND dialog) {
      modalDuring = harness.tool->modalFlag;
      char text[100] = "";
      ::GetWindowTextA(dialog, text, sizeof(text));
      caption = text;
      for (int i = 0; i < 5; ++i) {
        shown[i] = {DialogText(dialog, rows[i].pathEdit), DialogText(dialog, rows[i].nameEdit),
                    ::IsWindowEnabled(::GetDlgItem(dialog, rows[i].pathEdit)) != FALSE,
                    ::IsWindowEnabled(::GetDlgItem(dialog, rows[i].nameEdit)) != FALSE,
                    rows[i].browseButton && ::IsWindowEnabled(::GetDlgItem(dialog, rows[i].browseButton))};
      }
      editor = DialogText(dialog, IDC_SETTINGS_EDITOR);
      stamp = DialogText(dialog, IDC_SETTINGS_STAMP);
      for (const Row& row : rows) {
        TypeInto(dialog, row.pathEdit, "changed");
        TypeInto(dialog, row.nameEdit, "changed");
      }
      TypeInto(dialog, IDC_SETTINGS_EDITOR, "changed");
      TypeInto(dialog, IDC_SETTINGS_STAMP, "changed");
      way.second(dialog);
    }));
    EXPECT_EQ("スクリビットの設定", caption);
    EXPECT_EQ(1, modalDuring);
    EXPECT_EQ(0, harness.tool->modalFlag);
    EXPECT_EQ(harness.Folder1(), shown[0].path);
    EXPECT_EQ("マイメモ", shown[0].name);
    EXPECT_FALSE(shown[0].pathEnabled);
    EXPECT_FALSE(shown[0].nameEnabled);
    for (int folder = 2; folder <= 5; ++folder) {
      const Shown& row = shown[folder - 1];
      EXPECT_EQ("C:\\old" + std::to_string(folder), row.path) << folder;
      EXPECT_EQ("旧" + std::to_string(folder), row.name) << folder;
      EXPECT_TRUE(row.pathEnabled && row.nameEnabled && row.browseEnabled) << folder;
    }
    EXPECT_EQ("C:\\old\\editor.exe", editor);
    EXPECT_EQ("旧スタンプ", stamp);
    EXPECT_TRUE(harness.settings.Writes().empty());
  }
}

// OK stores every field as it stands, row 1 as shown, in a fixed order; a
// value keeps at most 259 bytes, as every reader passes 260.
TEST_F(Settings, OkStoresEveryValueInOrder) {
  StoreOldValues();
  Start();
  std::string longText;
  for (int i = 0; i < 30; ++i) longText += "0123456789";
  ASSERT_TRUE(RunSettingsDialog(harness, [&](HWND dialog) {
    for (int folder = 2; folder <= 5; ++folder) {
      TypeInto(dialog, rows[folder - 1].pathEdit, "D:\\メモ" + std::to_string(folder));
      TypeInto(dialog, rows[folder - 1].nameEdit, "名前" + std::to_string(folder));
    }
    TypeInto(dialog, IDC_SETTINGS_PATH4, longText);
    TypeInto(dialog, IDC_SETTINGS_NAME5, "");
    TypeInto(dialog, IDC_SETTINGS_EDITOR, "C:\\tools\\ed.exe");
    TypeInto(dialog, IDC_SETTINGS_STAMP, longText);
    PressDialogButton(dialog, IDOK);
  }));
  const std::string cut = longText.substr(0, 259);
  Writes expected = {{"ScribbitFolderPath1", harness.Folder1()}, {"ScribbitFolderName1", "マイメモ"}};
  for (int folder = 2; folder <= 5; ++folder) {
    expected.push_back({Key("Path", folder), folder == 4 ? cut : "D:\\メモ" + std::to_string(folder)});
    expected.push_back({Key("Name", folder), folder == 5 ? "" : "名前" + std::to_string(folder)});
  }
  expected.push_back({"ScribbitEditorPath", "C:\\tools\\ed.exe"});
  expected.push_back({"ScribbitStamp", cut});
  // What follows is the panel's return to folder 1, not the dialog's.
  Writes writes = harness.settings.Writes();
  ASSERT_GE(writes.size(), expected.size());
  writes.resize(expected.size());
  EXPECT_EQ(expected, writes);
  EXPECT_EQ(19, harness.settings.writeSection);
  EXPECT_EQ(19, harness.settings.readSection);
}

// The host keeps paths in code page 932: OK on a folder it cannot spell says
// which, and stores nothing while the dialog stays open.
TEST_F(Settings, OkRefusesAFolderCodePage932CannotSpell) {
  StoreOldValues();
  Start();
  std::string message;
  ASSERT_TRUE(RunSettingsDialog(harness, [&](HWND dialog) {
    ::SetDlgItemTextW(dialog, IDC_SETTINGS_PATH3, L"D:\\caf\u00e9");
    HWND box = PressForDialog(dialog, IDOK);
    message = DialogText(box, 0xFFFF);
    PressDialogButton(box, IDOK);
    EXPECT_TRUE(WaitGone(box));
    PressDialogButton(dialog, IDCANCEL);
  }));
  EXPECT_EQ(0u, message.find("メモフォルダ 3 のパスには、Shift_JIS（コードページ 932）で表せない文字が含まれているため"));
  EXPECT_TRUE(harness.settings.Writes().empty());
}

TEST_F(Settings, OkGivesTheFolderButtonsTheirNewTips) {
  StoreOldValues();
  Start();
  ASSERT_EQ("旧2", Tip(IDC_PANEL_FOLDER2));
  ASSERT_TRUE(RunSettingsDialog(harness, [&](HWND dialog) {
    TypeInto(dialog, IDC_SETTINGS_NAME2, "仕事");
    // Without a name the tip is the path.
    TypeInto(dialog, IDC_SETTINGS_NAME3, "");
    TypeInto(dialog, IDC_SETTINGS_PATH3, "D:\\三番");
    TypeInto(dialog, IDC_SETTINGS_NAME4, "");
    TypeInto(dialog, IDC_SETTINGS_PATH4, "");
    TypeInto(dialog, IDC_SETTINGS_NAME5, "五");
    PressDialogButton(dialog, IDOK);
  }));
  EXPECT_EQ("仕事", Tip(IDC_PANEL_FOLDER2));
  EXPECT_EQ("D:\\三番", Tip(IDC_PANEL_FOLDER3));
  EXPECT_EQ("", Tip(IDC_PANEL_FOLDER4));
  EXPECT_EQ("五", Tip(IDC_PANEL_FOLDER5));
}

// OK brings the panel back to folder 1 with no memo open; Cancel leaves it.
TEST(SettingsFolders, OkFromAnotherFolderListsFolderOne) {
  TempFolder third;
  WriteFileBytes(third / "三.txt", "three");
  for (int button : {IDOK, IDCANCEL}) {
    ToolHarness panel;
    ASSERT_TRUE(::CreateDirectoryA(panel.Folder1().c_str(), NULL));
    WriteFileBytes(panel.Folder1() + "\\一.txt", "one");
    panel.settings.Set("ScribbitFolderPath3", third.Path());
    ASSERT_TRUE(panel.Start());
    panel.Click(IDC_PANEL_FOLDER3);
    ASSERT_EQ(3, panel.CurrentFolder());
    panel.SelectIndex(0);
    ASSERT_EQ("三", panel.ItemText(IDC_PANEL_TITLE));

    ASSERT_TRUE(RunSettingsDialog(panel, [&](HWND dialog) { PressDialogButton(dialog, button); }));
    if (button == IDOK) {
      EXPECT_EQ(1, panel.CurrentFolder());
      EXPECT_EQ(std::vector<std::string>{"一"}, panel.Titles());
      EXPECT_EQ(" (No files opened!) ", panel.ItemText(IDC_PANEL_TITLE));
    } else {
      EXPECT_EQ(3, panel.CurrentFolder());
      EXPECT_EQ(std::vector<std::string>{"三"}, panel.Titles());
      EXPECT_EQ("三", panel.ItemText(IDC_PANEL_TITLE));
    }
  }
}

// With folder 1 shown, OK refreshes nothing: the open memo stays open with
// its edits, and the list as it was.
TEST(SettingsFolders, OkWithFolderOneShownLeavesTheOpenMemo) {
  ToolHarness panel;
  ASSERT_TRUE(::CreateDirectoryA(panel.Folder1().c_str(), NULL));
  WriteFileBytes(panel.Folder1() + "\\一.txt", "one");
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(panel.Select("一"));
  HWND pane = panel.Item(IDC_PANEL_TEXT);
  ::SendMessageA(pane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("edited"));
  ::SendMessageA(pane, EM_SETMODIFY, TRUE, 0);
  WriteFileBytes(panel.Folder1() + "\\二.txt", "two");
  ASSERT_TRUE(RunSettingsDialog(panel, [&](HWND dialog) { PressDialogButton(dialog, IDOK); }));
  // The tool holds the title in UTF-8; the list answers in code page 932.
  EXPECT_EQ(u8"一", panel.OpenTitle());
  EXPECT_EQ(std::vector<std::string>{"一"}, panel.Titles());
  EXPECT_TRUE(::SendMessageA(pane, EM_GETMODIFY, 0, 0));
  EXPECT_EQ("one", ReadFileBytes(panel.Folder1() + "\\一.txt"));
}

}  // namespace
