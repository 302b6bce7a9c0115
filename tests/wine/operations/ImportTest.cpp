// Files dropped on the memo list.
#include "OperationsFixture.h"

namespace {

const char importQuestion[] =
    "ドロップしたファイルをスクリビットにインポートします。\nメモフォルダにコピーを作成しますので、元ファイルは無くなりません。\n"
    "インポートしてもよろしいですか？";
const char unsupported[] = "は未対応のファイル形式です。インポートに失敗しました。";
const char reservedName[] = "は予約されたデバイス名のため、インポートできません。";

class ImportFiles : public OperationsTest {
protected:
  void SetUp() override {
    OperationsTest::SetUp();
    WriteMemos({{"open.txt", "open text"}});
    OpenMemo("open");
  }
  std::string Dropped(const std::string& name, const std::string& bytes) {
    std::string path = source / name;
    WriteFileBytes(path, bytes);
    return path;
  }
  TempFolder source;
};

TEST_F(ImportFiles, CopiesTextAndHtmlFilesAndNamesTheOthers) {
  std::vector<std::string> paths = {Dropped("a.txt", "a text"), Dropped("b.doc", "b"), Dropped("c.HTML", "<p>c</p>")};
  std::vector<Shown> shown = Drop(paths, {Press(IDYES), Press(IDOK)});
  ASSERT_EQ(2u, shown.size());
  EXPECT_EQ(importQuestion, shown[0].text);
  EXPECT_EQ(QuestionYesNo, shown[0].type);
  EXPECT_EQ(std::string("b.doc") + unsupported, shown[1].text);
  EXPECT_EQ(Stop, shown[1].type);
  EXPECT_EQ("a text", ReadFileBytes(MemoPath("a.txt")));
  EXPECT_EQ("<p>c</p>", ReadFileBytes(MemoPath("c.HTML")));
  EXPECT_FALSE(FileExists(MemoPath("b.doc")));
  // The dropped files stay where they were.
  EXPECT_TRUE(FileExists(paths[0]));
  // The list shows the folder again, nothing selected; the open memo stays shown.
  std::vector<std::string> titles = Titles();
  EXPECT_EQ(3u, titles.size());
  EXPECT_NE(-1, IndexOf("a"));
  EXPECT_NE(-1, IndexOf("c"));
  EXPECT_LT(harness.Selection(), 0);
  EXPECT_EQ("open", harness.OpenTitle());
  EXPECT_EQ("open text", PaneText());
}

// A name code page 932 cannot spell is imported as itself, beside its best-fit twin.
TEST_F(ImportFiles, ANameInAnyScriptIsImportedAsItself) {
  const std::string dropped = source.Path();
  const std::wstring folder = std::wstring(dropped.begin(), dropped.end()) + L"\\";
  for (const wchar_t* name : {L"caf\u00E9.txt", L"\U0001F600.txt"}) {
    HANDLE file = ::CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    ::CloseHandle(file);
  }
  WriteMemos({{"cafe.txt", "plain"}});
  EXPECT_EQ(1u, Drop(std::vector<std::wstring>{folder + L"caf\u00E9.txt", folder + L"\U0001F600.txt"}, {Press(IDYES)}).size());
  const std::string folder1 = harness.Folder1();
  const std::wstring memos = std::wstring(folder1.begin(), folder1.end()) + L"\\";
  for (const wchar_t* name : {L"caf\u00E9.txt", L"\U0001F600.txt"})
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((memos + name).c_str()));
  EXPECT_EQ(4u, Titles().size());
  EXPECT_EQ("plain", ReadFileBytes(MemoPath("cafe.txt")));
}

TEST_F(ImportFiles, RefusalsCopyNothingAndLeaveTheListAlone) {
  WriteFileBytes(MemoPath("memo.txt"), "kept");
  struct Case {
    std::string name;
    const char* message;
  } cases[] = {
      {"a.Txt", unsupported},
      {"memo.txt", "のコピーに失敗しました！\n同じ名前のファイルがすでにあります。"},
      // The 5C second byte of ソ is no backslash: the whole name is reported.
      {"表ソ.doc", unsupported},
      // A device, which would take the copy without a byte reaching the disk.
      {"aux.txt", reservedName},
      {"Nul.HTML", reservedName},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int selected = harness.Selection();
    std::vector<Shown> shown = Drop({Dropped(c.name, "dropped")}, {Press(IDYES), Press(IDOK)});
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ(c.name + c.message, shown[1].text);
    EXPECT_EQ(selected, harness.Selection());
  }
  EXPECT_EQ("kept", ReadFileBytes(MemoPath("memo.txt")));
  EXPECT_FALSE(FileExists(MemoPath("a.Txt")));
}

TEST_F(ImportFiles, DestinationTooLongIsReported) {
  // A memo folder whose path leaves no room for the dropped file's name.
  std::string deep = source.Path();
  while (deep.size() < 200) {
    deep += "\\dddddddddddddddddddd";
    ::CreateDirectoryA(deep.c_str(), NULL);
  }
  harness.settings.Set("ScribbitFolderPath2", deep);
  harness.Click(IDC_PANEL_FOLDER2);
  std::string name = std::string(60, 'n') + ".txt";
  std::vector<Shown> shown = Drop({Dropped(name, "n")}, {Press(IDYES), Press(IDOK)});
  ASSERT_EQ(2u, shown.size());
  EXPECT_EQ(name + "はコピー先のパスが長すぎるため、インポートできませんでした！", shown[1].text);
  EXPECT_EQ(Exclamation, shown[1].type);
  EXPECT_FALSE(FileExists(deep + "\\" + name));
}

// A read-only file stays read-only as a memo, whatever the copy does with
// attributes on this system, and leaves no temporary file behind.
TEST_F(ImportFiles, AReadOnlyFileStaysReadOnlyWithNothingLeftBehind) {
  std::string path = Dropped("locked.txt", "locked text");
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(1u, Drop({path}, {Press(IDYES)}).size());
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ("locked text", ReadFileBytes(MemoPath("locked.txt")));
  EXPECT_TRUE(::GetFileAttributesA(MemoPath("locked.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
  for (const std::string& name : FileNames(harness.Folder1())) EXPECT_NE(0u, name.find("~sb")) << name << " was left";
  ::SetFileAttributesA(MemoPath("locked.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
