// The extended edit dialog: stamp, delete or replace, move, and its refusals.
#include "OperationsFixture.h"

namespace {

const char noneFound[] = "該当箇所はありませんでした。";

// Fills the delete-or-replace fields and presses execute.
Answer Execute(const std::string& search, const std::string& replacement, bool replace) {
  return [=](HWND dialog) {
    SetItemText(dialog, IDC_EXT_SEARCH, search);
    SetItemText(dialog, IDC_EXT_REPLACE, replacement);
    if (replace) {
      ::SendDlgItemMessageA(dialog, IDC_EXT_REPLACE_CHECK, BM_SETCHECK, BST_CHECKED, 0);
      PressDialogButton(dialog, IDC_EXT_REPLACE_CHECK);
    }
    PressDialogButton(dialog, IDC_EXT_EXECUTE);
  };
}

Answer MoveTo(int entry) {
  return [entry](HWND dialog) {
    ::SendDlgItemMessageA(dialog, IDC_EXT_FOLDERS, CB_SETCURSEL, entry, 0);
    PressDialogButton(dialog, IDC_EXT_MOVE);
  };
}

struct FolderList {
  std::vector<std::string> entries;
  int selected = -2;
};

// Reads the dialog's folder list and fields, then leaves with Escape.
Answer ReadDialog(FolderList& list, std::string& search, bool& replaceEnabled) {
  return [&](HWND dialog) {
    HWND combo = ::GetDlgItem(dialog, IDC_EXT_FOLDERS);
    int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char entry[512] = "";
      ::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
      list.entries.push_back(entry);
    }
    list.selected = static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0));
    char text[256] = "";
    ::GetDlgItemTextA(dialog, IDC_EXT_SEARCH, text, sizeof(text));
    search = text;
    replaceEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_EXT_REPLACE)) != FALSE;
    PressDialogButton(dialog, IDCANCEL);
  };
}

class ExtendedEdit : public OperationsTest {
protected:
  void OpenWith(const std::string& text) {
    WriteMemos({{"abc.txt", text}, {"other.txt", "o"}});
    OpenMemo("abc");
  }
};

TEST_F(ExtendedEdit, StampIsAppendedAsStoredAndShown) {
  std::string lines;
  for (int i = 0; i < 100; ++i) lines += "line\r\n";
  struct Case {
    std::string text;
    std::string stamp;
  } cases[] = {{"abc", "[done]"}, {"abc", ""}, {lines + "end", "%Y/%m/%d"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stamp);
    harness.settings.Set("ScribbitStamp", c.stamp);
    OpenWith(c.text);
    // The caret at the start: the stamp still goes to the end.
    ::SendMessageA(harness.Item(IDC_PANEL_TEXT), EM_SETSEL, 0, 0);
    std::vector<Shown> shown = ClickAnswering(IDC_PANEL_EXT_EDIT, {Press(IDC_EXT_STAMP)});
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("メモ編集 拡張機能", shown[0].caption);
    EXPECT_TRUE(shown[0].style & WS_SYSMENU);
    std::string stamped = c.text + "\r\n" + c.stamp;
    EXPECT_EQ(stamped, PaneText());
    EXPECT_TRUE(PaneModified());
    // The pane shows its end.
    if (c.text.size() > 100) {
      EXPECT_GT(::SendMessageA(harness.Item(IDC_PANEL_TEXT), EM_GETFIRSTVISIBLELINE, 0, 0), 50);
    }
    OpenMemo("other");
    EXPECT_EQ(stamped, ReadFileBytes(MemoPath("abc.txt")));
  }
}

std::string Repeated(const std::string& line, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += line;
  return text;
}

TEST_F(ExtendedEdit, DeleteOrReplaceReportsTheCountAndMarksTheMemo) {
  struct Case {
    std::string text, search, replacement;
    bool replace;
    std::string result, message;
  } cases[] = {
      {"aabb", "ab", "", false, "ab", "1箇所の該当箇所がありました。"},
      {"aa", "a", "aa", true, "aaaa", "2箇所の該当箇所がありました。"},
      // A replacement typed while replacing is off is not used.
      {"xyx", "x", "z", false, "y", "2箇所の該当箇所がありました。"},
      {"abc", "ABC", "", false, "abc", noneFound},
      // Longer than the pane shows: the result shows from its top.
      {Repeated("line\r\n", 100), "line", "row", true, Repeated("row\r\n", 100), "100箇所の該当箇所がありました。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 16) + " / " + c.search);
    OpenWith(c.text);
    std::vector<Shown> shown = ClickAnswering(IDC_PANEL_EXT_EDIT, {Execute(c.search, c.replacement, c.replace), Press(IDOK)});
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ(c.message, shown[1].text);
    EXPECT_EQ(Information, shown[1].type);
    EXPECT_EQ(c.result, PaneText());
    EXPECT_TRUE(PaneModified());
    EXPECT_EQ(0, ::SendMessageA(harness.Item(IDC_PANEL_TEXT), EM_GETFIRSTVISIBLELINE, 0, 0));
    // Ctrl+Z, as the pane gets it, takes the change back, and again brings it back.
    ::SendMessageA(harness.Item(IDC_PANEL_TEXT), WM_CHAR, 0x1A, 0);
    EXPECT_EQ(c.text, PaneText());
    ::SendMessageA(harness.Item(IDC_PANEL_TEXT), WM_CHAR, 0x1A, 0);
    OpenMemo("other");
    EXPECT_EQ(c.result, ReadFileBytes(MemoPath("abc.txt")));
  }
}

TEST_F(ExtendedEdit, FolderListNamesEachFolderAndKeepsTheLastSearch) {
  TempFolder work;
  harness.settings.Set("ScribbitFolderPath3", work.Path());
  harness.settings.Set("ScribbitFolderName3", "仕事");
  OpenWith("text");
  ClickAnswering(IDC_PANEL_EXT_EDIT, {Execute("zzz", "", false), Press(IDOK)});

  FolderList list;
  std::string search;
  bool replaceEnabled = true;
  ClickAnswering(IDC_PANEL_EXT_EDIT, {ReadDialog(list, search, replaceEnabled)});
  std::vector<std::string> expected = {"1: " + harness.Folder1(), "2: （設定なし）", "3: 仕事", "4: （設定なし）", "5: （設定なし）"};
  EXPECT_EQ(expected, list.entries);
  // The current folder's entry.
  EXPECT_EQ(0, list.selected);
  EXPECT_EQ("zzz", search);
  EXPECT_FALSE(replaceEnabled);
}

TEST_F(ExtendedEdit, MoveTakesTheMemoToTheChosenFolder) {
  TempFolder target;
  harness.settings.Set("ScribbitFolderPath2", target.Path() + "\\");
  OpenWith("saved");
  TypeIntoPane("edited");
  std::vector<Shown> shown = ClickAnswering(IDC_PANEL_EXT_EDIT, {MoveTo(1)});
  EXPECT_EQ(1u, shown.size());
  EXPECT_EQ("edited", ReadFileBytes(target / "abc.txt"));
  EXPECT_FALSE(FileExists(MemoPath("abc.txt")));
  EXPECT_EQ(std::vector<std::string>{"other"}, Titles());
  EXPECT_EQ(noMemoTitle, harness.ItemText(IDC_PANEL_TITLE));
}

TEST_F(ExtendedEdit, MoveOntoTheSameTitleKeepsBothFiles) {
  TempFolder target;
  WriteFileBytes(target / "abc.txt", "theirs");
  harness.settings.Set("ScribbitFolderPath2", target.Path());
  OpenWith("ours");
  std::vector<Shown> shown = ClickAnswering(IDC_PANEL_EXT_EDIT, {MoveTo(1), Press(IDOK)});
  ASSERT_EQ(2u, shown.size());
  EXPECT_EQ("メモを移動できませんでした！\nメモは元のフォルダにあります。\n同じ名前のファイルがすでにあります。", shown[1].text);
  EXPECT_EQ("theirs", ReadFileBytes(target / "abc.txt"));
  EXPECT_EQ("ours", ReadFileBytes(MemoPath("abc.txt")));
  EXPECT_NE(-1, IndexOf("abc"));
  EXPECT_EQ(noMemoTitle, harness.ItemText(IDC_PANEL_TITLE));
}

TEST_F(ExtendedEdit, MoveWaitsForTheMemoToClose) {
  TempFolder target;
  harness.settings.Set("ScribbitFolderPath2", target.Path());
  OpenWith("saved");
  // Made read-only behind the panel's back: the close refuses to write the edits.
  ::SetFileAttributesA(MemoPath("abc.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  TypeIntoPane("edited");
  std::vector<Shown> shown = ClickAnswering(IDC_PANEL_EXT_EDIT, {MoveTo(1), Press(IDOK)});
  ASSERT_EQ(2u, shown.size());
  EXPECT_EQ("このメモは読取り専用です！\n編集を保存できませんでした。", shown[1].text);
  EXPECT_EQ("saved", ReadFileBytes(MemoPath("abc.txt")));
  EXPECT_FALSE(FileExists(target / "abc.txt"));
  EXPECT_EQ("abc", harness.OpenTitle());
  EXPECT_EQ("edited", PaneText());
  ::SetFileAttributesA(MemoPath("abc.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ExtendedEdit, RefusedWithoutAnEditableMemo) {
  WriteMemos({{"locked.txt", "locked"}, {"big.txt", TooLongForThePane()}});
  struct Case {
    const char* open;
    const char* message;
  } cases[] = {
      {NULL, "メモが開かれていません。\n拡張編集機能は使用できません！"},
      {"locked", "開いているメモは読取り専用です。\n拡張編集機能は使用できません！"},
      // Shown cut, the pane may not be written over its file.
      {"big", "開いているメモは読取り専用です。\n拡張編集機能は使用できません！"},
  };
  ::SetFileAttributesA(MemoPath("locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    if (c.open) OpenMemo(c.open);
    std::vector<Shown> shown = ClickAnswering(IDC_PANEL_EXT_EDIT, {Press(IDOK)});
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(c.message, shown[0].text);
    EXPECT_EQ(Exclamation, shown[0].type);
  }
}

}  // namespace
