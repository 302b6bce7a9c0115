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

// Each way a save is made, with the steps that lead the panel to it; the
// answers are for the boxes the save is to show.
struct SaveWay {
  const char* name;
  std::function<std::vector<Shown>(FaultInjection&, const std::vector<Answer>&)> save;
  bool closes;  // a successful save closes the memo
};

TEST_F(FaultInjection, EveryFailingCallOfASaveKeepsTheOldTextAndTheEdits) {
  const std::string oldText = Text('a', 20000), newText = Text('b', 60000);
  const SaveWay ways[] = {
      {"close", [](FaultInjection& t, const std::vector<Answer>& a) { return t.Answering(a, [&] { t.OpenMemo("other"); }); }, true},
      // The host waits in SaveState: the message comes after it returned.
      {"SaveState",
       [](FaultInjection& t, const std::vector<Answer>& a) {
         int result = -1;
         std::vector<Shown> shown = t.Answering(a, [&] { result = t.harness.tool->SaveState(); });
         EXPECT_EQ(a.empty() ? 1 : 0, result);
         return shown;
       },
       false},
  };
  // Create the temporary file, write, flush, close, rename: each fails once,
  // then the save goes through.
  const int callsOfASave = 5;
  for (const SaveWay& way : ways) {
    SCOPED_TRACE(way.name);
    WriteMemos({{"memo.txt", oldText}, {"other.txt", ""}});
    OpenMemo("memo");
    TypeIntoPane(newText);
    const std::vector<std::string> files = FileNames(harness.Folder1());
    for (int call = 1; call <= callsOfASave + 1; ++call) {
      SCOPED_TRACE("failing call " + std::to_string(call));
      const bool fails = call <= callsOfASave;
      ops.FailAt(call);
      std::vector<Shown> shown = way.save(*this, fails ? std::vector<Answer>{Press(IDOK)} : std::vector<Answer>{});
      EXPECT_TRUE((fails ? oldText : newText) == ReadFileBytes(MemoPath("memo.txt")));
      EXPECT_EQ(files, FileNames(harness.Folder1()));
      if (!fails) break;
      ASSERT_EQ(1u, shown.size());
      EXPECT_EQ(writeFailure, shown[0].text);
      EXPECT_TRUE(newText == PaneText()) << "the edits left the pane";
      EXPECT_TRUE(PaneModified());
      EXPECT_EQ("memo", std::string(Panel()->currentTitle));
    }
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
