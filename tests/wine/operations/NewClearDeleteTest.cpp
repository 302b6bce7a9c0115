// The new, clear and delete buttons.
#include "OperationsFixture.h"

namespace {

const char createFailure[] = "メモファイルを作成できませんでした！\nフォルダが見つかりません。";
const char deleteQuestion[] = "メモをを削除すると元ファイルも削除されます！\n本当によろしいですか？";
const char cannotDelete[] = "このメモファイルは削除できません！";

typedef OperationsTest NewMemo;

TEST_F(NewMemo, CreatesAnEmptyFileListsAndOpensIt) {
  TempFolder folder;
  for (const std::string& stored : {folder.Path(), folder.Path() + "\\"}) {
    SCOPED_TRACE(stored);
    harness.settings.Set("ScribbitFolderPath2", stored);
    harness.Click(IDC_PANEL_FOLDER2);
    // Closed first: the panel would write an open memo's vanished file back.
    harness.Click(IDC_PANEL_FOLDER1);
    ::DeleteFileA((folder / "abc.txt").c_str());
    harness.Click(IDC_PANEL_FOLDER2);

    std::vector<Shown> shown = ClickAnswering(IDC_PANEL_NEW, {TypeTitle("abc")});
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("スクリビット", shown[0].caption);
    // A tool window without a close box: OK or Cancel end it.
    EXPECT_FALSE(shown[0].style & WS_SYSMENU);
    EXPECT_TRUE(shown[0].exStyle & WS_EX_TOOLWINDOW);
    ASSERT_TRUE(FileExists(folder / "abc.txt"));
    EXPECT_EQ("", ReadFileBytes(folder / "abc.txt"));
    EXPECT_EQ(std::vector<std::string>{"abc"}, Titles());
    EXPECT_EQ(MemoKindText, harness.KindAt(0));
    EXPECT_EQ(0, harness.Selection());
    EXPECT_EQ("abc", harness.OpenTitle());
    EXPECT_EQ("abc", harness.ItemText(IDC_PANEL_TITLE));
    EXPECT_TRUE(PaneShown());
    EXPECT_EQ("", PaneText());
  }
}

TEST_F(NewMemo, SavesTheMemoThatWasOpenFirst) {
  WriteMemos({{"old.txt", "before"}});
  OpenMemo("old");
  TypeIntoPane("after");
  ClickAnswering(IDC_PANEL_NEW, {TypeTitle("abc")});
  EXPECT_EQ("after", ReadFileBytes(MemoPath("old.txt")));
  EXPECT_EQ("abc", harness.OpenTitle());
}

TEST_F(NewMemo, MissingFolderIsReportedAndNothingListed) {
  TempFolder parent;
  harness.settings.Set("ScribbitFolderPath2", parent / "missing");
  harness.Click(IDC_PANEL_FOLDER2);
  std::vector<Shown> shown = ClickAnswering(IDC_PANEL_NEW, {TypeTitle("abc"), Press(IDOK)});
  ASSERT_EQ(2u, shown.size());
  EXPECT_EQ(createFailure, shown[1].text);
  EXPECT_EQ("Scribbit", shown[1].caption);
  EXPECT_EQ(Exclamation, shown[1].type);
  EXPECT_TRUE(Titles().empty());
}

typedef OperationsTest ClearMemo;

TEST_F(ClearMemo, ReachesTheFileOnlyAfterAnEdit) {
  WriteMemos({{"abc.txt", "kept text"}, {"other.txt", "o"}});
  OpenMemo("abc");
  harness.Click(IDC_PANEL_ERASE);
  EXPECT_EQ("", PaneText());
  OpenMemo("other");
  EXPECT_EQ("kept text", ReadFileBytes(MemoPath("abc.txt")));
  // Typing before the clear counts no more than the text it cleared.
  OpenMemo("abc");
  TypeIntoPane("typed");
  harness.Click(IDC_PANEL_ERASE);
  OpenMemo("other");
  EXPECT_EQ("kept text", ReadFileBytes(MemoPath("abc.txt")));

  OpenMemo("abc");
  harness.Click(IDC_PANEL_ERASE);
  TypeIntoPane("x");
  OpenMemo("other");
  EXPECT_EQ("x", ReadFileBytes(MemoPath("abc.txt")));

  // Ctrl+Z, as the pane gets it, brings the cleared text back.
  OpenMemo("abc");
  harness.Click(IDC_PANEL_ERASE);
  ::SendMessageA(harness.Item(IDC_PANEL_TEXT), WM_CHAR, 0x1A, 0);
  EXPECT_EQ("x", PaneText());
}

typedef OperationsTest DeleteMemo;

TEST_F(DeleteMemo, OpensTheEntryThatTakesItsPlaceOrTheNewLast) {
  struct Case {
    int deleted;
    int opened;  // index before the delete of the memo opened after it
    int selected;
  } cases[] = {{2, 3, 2}, {4, 3, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.deleted);
    WriteMemos({{"m1.txt", "1"}, {"m2.txt", "2"}, {"m3.txt", "3"}, {"m4.txt", "4"}, {"m5.txt", "5"}});
    std::vector<std::string> before = Titles();
    ASSERT_EQ(5u, before.size());
    Select(c.deleted);
    TypeIntoPane("unsaved");

    std::vector<Shown> shown = ClickAnswering(IDC_PANEL_DELETE, {Press(IDYES)});
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(deleteQuestion, shown[0].text);
    EXPECT_EQ(ExclamationYesNo, shown[0].type);
    std::string deletedFile = MemoPath(before[c.deleted] + ".txt");
    EXPECT_FALSE(FileExists(deletedFile));
    std::vector<std::string> after = Titles();
    before.erase(before.begin() + c.deleted);
    EXPECT_EQ(before, after);
    EXPECT_EQ(c.selected, harness.Selection());
    EXPECT_EQ(c.selected, Panel()->currentSelection);
    EXPECT_EQ(after[c.selected], harness.OpenTitle());
    EXPECT_EQ(after[c.selected].substr(1), PaneText());
    // Closing the neighbour must not bring the deleted memo back.
    Relist();
    EXPECT_FALSE(FileExists(deletedFile));
    for (int i = 1; i <= 5; ++i) ::DeleteFileA(MemoPath("m" + std::to_string(i) + ".txt").c_str());
  }
}

TEST_F(DeleteMemo, DelOnTheListAsksAsTheButtonDoes) {
  WriteMemos({{"m1.txt", "1"}, {"m2.txt", "2"}});
  OpenMemo("m1");
  HWND list = harness.List();
  for (int answer : {IDNO, IDYES}) {
    SCOPED_TRACE(answer);
    std::vector<Shown> shown = Answering({Press(answer)}, [&] { ::PostMessageA(list, WM_KEYDOWN, VK_DELETE, 1); });
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(deleteQuestion, shown[0].text);
    EXPECT_EQ(ExclamationYesNo, shown[0].type);
    EXPECT_EQ(answer == IDNO, FileExists(MemoPath("m1.txt")));
  }
  EXPECT_EQ(std::vector<std::string>{"m2"}, Titles());
}

TEST_F(DeleteMemo, OfTheOnlyMemoLeavesAnEmptyListAndNoTitle) {
  WriteMemos({{"only.txt", "o"}});
  OpenMemo("only");
  ClickAnswering(IDC_PANEL_DELETE, {Press(IDYES)});
  EXPECT_FALSE(FileExists(MemoPath("only.txt")));
  EXPECT_TRUE(Titles().empty());
  EXPECT_EQ("", harness.OpenTitle());
  EXPECT_EQ("", PaneText());
  EXPECT_TRUE(PaneShown());
  EXPECT_EQ("only", harness.ItemText(IDC_PANEL_TITLE));
}

TEST_F(DeleteMemo, RefusalsKeepFileAndEntry) {
  WriteMemos({{"abc.txt", "text"}, {"locked.txt", "locked"}, {"page.html", "<p>h</p>"}, {"page.txt", "same title"}});
  struct Case {
    const char* open;  // title of the memo open, or nothing
    DWORD kind;
    const char* message;
  } cases[] = {
      {NULL, 0, cannotDelete},
      // A text memo of the same title is another memo.
      {"page", MemoKindHtml, cannotDelete},
      {"locked", MemoKindText, "このメモファイルは読取り専用のため削除できません！"},
  };
  ::SetFileAttributesA(MemoPath("locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    Relist();
    if (c.open) {
      OpenMemo(c.open, c.kind);
      ASSERT_EQ(c.open, harness.OpenTitle());
    }
    std::vector<std::string> before = Titles();
    int selected = harness.Selection();
    std::vector<Shown> shown = ClickAnswering(IDC_PANEL_DELETE, {Press(IDYES), Press(IDOK)});
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ(c.message, shown[1].text);
    EXPECT_EQ(Exclamation, shown[1].type);
    EXPECT_EQ(before, Titles());
    EXPECT_EQ(selected, harness.Selection());
  }
  EXPECT_EQ("same title", ReadFileBytes(MemoPath("page.txt")));
  EXPECT_EQ("<p>h</p>", ReadFileBytes(MemoPath("page.html")));
  EXPECT_EQ("locked", ReadFileBytes(MemoPath("locked.txt")));
}

// The desktop's trash, where Wine puts what goes to the Recycle Bin: in
// $XDG_DATA_HOME, else in the home folder Wine names as an NT path.
std::string TrashFiles() {
  char value[MAX_PATH] = "";
  std::string data;
  if (::GetEnvironmentVariableA("XDG_DATA_HOME", value, sizeof(value)))
    data = "Z:" + std::string(value);
  else if (::GetEnvironmentVariableA("WINEHOMEDIR", value, sizeof(value)))
    data = std::string(value + 4) + "/.local/share";
  std::string path = data + "/Trash/files";
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

TEST_F(DeleteMemo, GoesToTheTrashOnlyAsShown) {
  const std::string title = "trashed " + std::to_string(::GetTickCount());
  WriteMemos({{title + ".txt", "bytes to keep"}, {"changed.txt", "as shown"}, {"other.txt", "o"}});
  // Changed since it was shown, to bytes of the same size at the same time:
  // the file stays, and the pane shows what the user would have deleted.
  OpenMemo("changed");
  RewriteKeepingTime(MemoPath("changed.txt"), "as there");
  std::vector<Shown> shown = ClickAnswering(IDC_PANEL_DELETE, {Press(IDYES), Press(IDOK)});
  ASSERT_EQ(2u, shown.size());
  EXPECT_EQ("このメモはほかのプログラムで書き換えられていたため、削除しませんでした。\n書き換えられた内容を表示しています。",
            shown[1].text);
  EXPECT_EQ("as there", ReadFileBytes(MemoPath("changed.txt")));
  EXPECT_EQ("as there", PaneText());
  // Deleted, it is in the trash whole.
  OpenMemo(title);
  ClickAnswering(IDC_PANEL_DELETE, {Press(IDYES)});
  EXPECT_FALSE(FileExists(MemoPath(title + ".txt")));
  std::string trashed;
  for (const std::string& name : FileNames(TrashFiles()))
    if (name.compare(0, title.size() + 4, title + ".txt") == 0) trashed = ReadFileBytes(TrashFiles() + "\\" + name);
  EXPECT_EQ("bytes to keep", trashed);
}

TEST_F(DeleteMemo, AfterAnImportRefillListsTheFolderAgain) {
  WriteMemos({{"abc.txt", "text"}, {"other.txt", "o"}});
  OpenMemo("abc");
  TempFolder source;
  WriteFileBytes(source / "new.txt", "n");
  Drop({source / "new.txt"}, {Press(IDYES)});
  ASSERT_LT(harness.Selection(), 0);
  ASSERT_EQ("abc", harness.OpenTitle());
  ClickAnswering(IDC_PANEL_DELETE, {Press(IDYES)});
  EXPECT_FALSE(FileExists(MemoPath("abc.txt")));
  EXPECT_EQ(-1, IndexOf("abc"));
  EXPECT_EQ(2u, Titles().size());
  EXPECT_EQ("", harness.OpenTitle());
}

// Run where the desktop's trash cannot take anything, its folder a plain
// file (the run operations_without_recycle_bin of this folder's
// CMakeLists.txt): the shell would delete the memo for good and report
// success, as Windows does on drives without a Recycle Bin. The panel asks
// first, with No the default, and No keeps the memo.
class NoRecycleBin : public OperationsTest {
public:
  void SetUp() override {
    char data[MAX_PATH] = "";
    ::GetEnvironmentVariableA("XDG_DATA_HOME", data, sizeof(data));
    std::string trash = std::string("Z:") + data + "/Trash";
    for (char& c : trash)
      if (c == '/') c = '\\';
    DWORD attributes = ::GetFileAttributesA(trash.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
      GTEST_SKIP() << "runs where XDG_DATA_HOME/Trash is a plain file";
    OperationsTest::SetUp();
  }
};

TEST_F(NoRecycleBin, ADeleteTheBinCannotTakeIsAskedAgainWithNoTheDefault) {
  WriteMemos({{"memo.txt", "the memo"}, {"other.txt", ""}});
  OpenMemo("memo");
  bool noIsDefault = false;
  Answer forGood = [&](HWND box) {
    noIsDefault = (::GetWindowLongA(::GetDlgItem(box, IDNO), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
    PressDialogButton(box, IDNO);
  };
  std::vector<Shown> shown = ClickAnswering(IDC_PANEL_DELETE, {Press(IDYES), forGood});
  ASSERT_EQ(2u, shown.size());
  EXPECT_EQ(
      "このメモはごみ箱に移せません（ネットワークやリムーバブルのドライブ、ごみ箱より大きいファイル、ごみ箱を使わない設定など）。\n"
      "削除すると元に戻せません。完全に削除しますか？",
      shown[1].text);
  EXPECT_EQ(ExclamationYesNo, shown[1].type);
  EXPECT_TRUE(noIsDefault);
  EXPECT_EQ("the memo", ReadFileBytes(MemoPath("memo.txt")));
  EXPECT_EQ("memo", harness.OpenTitle());
  EXPECT_EQ((std::vector<std::string>{"memo", "other"}), Titles());
  EXPECT_EQ(2u, ClickAnswering(IDC_PANEL_DELETE, {Press(IDYES), Press(IDYES)}).size());
  EXPECT_FALSE(FileExists(MemoPath("memo.txt")));
  EXPECT_EQ(std::vector<std::string>{"other"}, Titles());
}

}  // namespace
