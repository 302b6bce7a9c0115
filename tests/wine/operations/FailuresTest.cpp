// Each memo operation that a file call fails says why, in the user's words
// with the system's reason below, and leaves the memo where it was.
#include "Keyboard.h"
#include "OperationsFixture.h"

namespace {

class Failures : public OperationsTest {
public:
  void SetUp() override {
    OperationsTest::SetUp();
    harness.OnPanelThread([this] { Panel()->UseFileOps(ops); });
  }
  void TearDown() override { harness.OnPanelThread([this] { Panel()->UseFileOps(PlatformMemoFileOps()); }); }
  FaultyFileOps ops;
  TempFolder second;
  TempFolder source;
};

TEST_F(Failures, EachSaysWhyAndLeavesTheMemo) {
  const char* const inUse = "別のプログラムが使用中です。";
  const struct {
    const char* name;
    FileCall call;
    DWORD error;
    bool noRecycleBin;
    std::function<std::vector<Shown>(Failures&)> act;
    std::string message;  // the last box's
  } cases[] = {
      {"rename", FileCall::Move, ERROR_SHARING_VIOLATION, false,
       [](Failures& t) { return t.Answering({TypeTitle("renamed"), Press(IDOK)}, [&] { ::SendMessageA(t.harness.List(), WM_KEYDOWN, VK_F2, 0); }); },
       std::string("メモファイルの名前を変更できませんでした！\nメモは元の名前のままです。\n") + inUse},
      {"delete", FileCall::Trash, ERROR_SHARING_VIOLATION, false,
       [](Failures& t) { return t.ClickAnswering(IDC_PANEL_DELETE, {Press(IDYES), Press(IDOK)}); },
       std::string("メモファイルを削除に失敗しました！\n") + inUse},
      {"delete for good", FileCall::Delete, ERROR_SHARING_VIOLATION, true,
       [](Failures& t) { return t.ClickAnswering(IDC_PANEL_DELETE, {Press(IDYES), Press(IDYES), Press(IDOK)}); },
       std::string("メモファイルを削除に失敗しました！\n") + inUse},
      {"move", FileCall::Move, ERROR_SHARING_VIOLATION, false,
       [](Failures& t) {
         return t.ClickAnswering(IDC_PANEL_EXT_EDIT, {[](HWND dialog) {
                                                       ::SendDlgItemMessageA(dialog, IDC_EXT_FOLDERS, CB_SETCURSEL, 1, 0);
                                                       PressDialogButton(dialog, IDC_EXT_MOVE);
                                                     },
                                                     Press(IDOK)});
       },
       std::string("メモを移動できませんでした！\nメモは元のフォルダにあります。\n") + inUse},
      {"import", FileCall::Write, ERROR_DISK_FULL, false,
       [](Failures& t) { return t.Drop({t.source / "dropped.txt"}, {Press(IDYES), Press(IDOK)}); },
       "dropped.txtのコピーに失敗しました！\nディスクの空き領域が不足しています。"},
  };
  harness.settings.Set("ScribbitFolderPath2", second.Path());
  WriteFileBytes(source / "dropped.txt", "dropped");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const std::string& name : FileNames(harness.Folder1())) ::DeleteFileA(MemoPath(name).c_str());
    WriteMemos({{"memo.txt", "the memo"}, {"other.txt", ""}});
    OpenMemo("memo");
    ops.noRecycleBin = c.noRecycleBin;
    // The memo's own move: the copy the history keeps moves a temporary file too.
    ops.Fail(c.call, c.error, 1, c.call == FileCall::Move ? "memo.txt|" : "");
    std::vector<Shown> shown = c.act(*this);
    ops.Heal();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(c.message, shown.back().text);
    EXPECT_EQ(Exclamation, shown.back().type);
    EXPECT_EQ("the memo", ReadFileBytes(MemoPath("memo.txt")));
    EXPECT_TRUE(FileNames(second.Path()).empty());
    EXPECT_EQ((std::vector<std::string>{"memo.txt", "other.txt"}), FileNames(harness.Folder1()));
  }
}

// Typing goes on unprotected when its edits cannot be recorded: the user
// hears of it once, not at every pause.
TEST_F(Failures, EditsThatCannotBeRecordedAreSaidOnce) {
  WriteMemos({{"memo.txt", "the memo"}});
  OpenMemo("memo");
  ASSERT_TRUE(FocusControl(harness.Item(IDC_PANEL_TEXT)));
  for (const wchar_t* typed : {L"x", L"y"}) {
    ops.Heal();
    ops.Fail(FileCall::Open, ERROR_DISK_FULL, 0, "Recovery");
    std::vector<Shown> shown = Answering(std::vector<Answer>(*typed == L'x' ? 1 : 0, Press(IDOK)), [&] {
      TypeKeys(typed);
      EXPECT_TRUE(PumpUntil([&] { return ops.Struck(); })) << "no record was tried";
    });
    if (*typed == L'x') {
      ASSERT_EQ(1u, shown.size());
      EXPECT_EQ("編集中の内容を復元用に記録できません。このまま Jotbook が異常終了すると、メモに保存されていない編集は失われます。\n"
                "ディスクの空き領域が不足しています。",
                shown[0].text);
    }
  }
  ops.Heal();
  EXPECT_EQ("the memo", ReadFileBytes(MemoPath("memo.txt")));
}

}  // namespace
