// A save made to fail at each of its file calls in turn, as I/O errors would
// make it fail: whatever the failing call, the memo file is its old or its
// new text, no temporary file is left, and the edits stay in the pane until a
// save succeeds. A load whose read fails shows the memo read-only.
#include "FailingMemoFileOps.h"
#include "OperationsFixture.h"

namespace {

// The fixed text, and why on a line below it.
const char writeFailure[] =
    "カレントメモフォルダパスにファイルが存在しません！\n編集を保存できませんでした。\nディスクの空き領域が不足しています。";

// Whole CP932 characters to the exact length: a lead byte cut off at the end
// would make the memo no CP932 text, and read-only.
std::string Text(char letter, size_t length) {
  const std::string line = std::string(1, letter) + "の行です。\r\n";
  std::string text;
  while (text.size() + line.size() <= length) text += line;
  text.append(length - text.size(), letter);
  return text;
}

class FaultInjection : public OperationsTest {
public:
  void SetUp() override {
    OperationsTest::SetUp();
    harness.OnPanelThread([this] { Panel()->memoSession.fileOps = &ops; });
  }
  void TearDown() override {
    harness.OnPanelThread([this] { Panel()->memoSession.fileOps = &PlatformMemoFileOps(); });
  }
  FailingMemoFileOps ops;
};

// Each way a save is made, with the steps that lead the panel to it.
struct SaveWay {
  const char* name;
  std::function<std::vector<Shown>(FaultInjection&)> save;
  bool closes;  // a successful save closes the memo
};

TEST_F(FaultInjection, EveryFailingCallOfASaveKeepsTheOldTextAndTheEdits) {
  const std::string oldText = Text('a', 20000), newText = Text('b', 60000);
  const SaveWay ways[] = {
      {"close", [](FaultInjection& t) { return t.Answering({Press(IDOK)}, [&] { t.OpenMemo("other"); }); }, true},
      // The host waits in SaveState: the message comes after it returned.
      {"SaveState",
       [](FaultInjection& t) {
         int result = -1;
         std::vector<Shown> shown = t.Answering(
             {Press(IDOK)}, [&] { result = t.harness.tool->SaveState(); }, 0);
         if (result == 0)
           shown = t.Answering(
               {Press(IDOK)}, [&] { t.harness.Sync(); }, 1);
         return shown;
       },
       false},
  };
  for (const SaveWay& way : ways) {
    SCOPED_TRACE(way.name);
    WriteMemos({{"memo.txt", oldText}, {"other.txt", ""}});
    OpenMemo("memo");
    TypeIntoPane(newText);
    const std::vector<std::string> files = FileNames(harness.Folder1());
    int call = 1;
    for (;; ++call) {
      ops.FailAt(call);
      std::vector<Shown> shown = way.save(*this);
      std::string onDisk = ReadFileBytes(MemoPath("memo.txt"));
      ASSERT_TRUE(onDisk == oldText || onDisk == newText) << "failing call " << call;
      EXPECT_EQ(files, FileNames(harness.Folder1())) << "failing call " << call;
      if (onDisk == newText) {
        EXPECT_TRUE(shown.empty());
        break;
      }
      ASSERT_EQ(1u, shown.size()) << "failing call " << call;
      EXPECT_EQ(writeFailure, shown[0].text);
      EXPECT_TRUE(newText == PaneText()) << "the edits left the pane";
      EXPECT_TRUE(PaneModified());
      EXPECT_EQ("memo", std::string(Panel()->currentTitle));
      ASSERT_LT(call, 10);
    }
    // Create the temporary file, write, flush, close, rename: each failed once.
    EXPECT_EQ(6, call);
    EXPECT_EQ(way.closes ? "other" : "memo", std::string(Panel()->currentTitle));
    ops.FailAt(0);
    Relist();
  }
}

TEST_F(FaultInjection, ReadErrorWhileLoadingOpensTheMemoReadOnlyAndNeverWritesIt) {
  WriteMemos({{"memo.txt", "text that cannot be read"}, {"other.txt", ""}});
  ops.failReads = true;
  OpenMemo("memo");
  ops.failReads = false;
  EXPECT_NE(std::string::npos, harness.ItemText(IDC_PANEL_TITLE).find("（ファイルを読み込めないため読取り専用）"));
  EXPECT_TRUE(::GetWindowLongA(harness.Item(IDC_PANEL_TEXT), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(::IsWindowEnabled(harness.Item(IDC_PANEL_READ_ONLY)));
  EXPECT_EQ(0, harness.tool->SaveState());
  ::SendMessageA(harness.Item(IDC_PANEL_TEXT), EM_SETMODIFY, TRUE, 0);
  Answering({Press(IDOK)}, [&] { OpenMemo("other"); });
  EXPECT_EQ("text that cannot be read", ReadFileBytes(MemoPath("memo.txt")));
}

}  // namespace
