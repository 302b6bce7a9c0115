// Every file call of a save made to fail in turn, as I/O errors make them
// fail: whatever call fails, the memo's file is its old or its new text, no
// temporary file is left, and the edits are in the file, in a memo of their
// own beside it, or still in the pane with a message saying so. A load whose
// read fails shows the memo read-only.
#include "OperationsFixture.h"

namespace {

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
    harness.OnPanelThread([this] { Panel()->UseFileOps(ops); });
  }
  void TearDown() override { harness.OnPanelThread([this] { Panel()->UseFileOps(PlatformMemoFileOps()); }); }

  // A memo file of folder 1 other than memo.txt that holds bytes.
  bool AnotherMemoHolds(const std::string& bytes) {
    for (const std::string& name : FileNames(harness.Folder1()))
      if (name != "memo.txt" && ReadFileBytes(MemoPath(name)) == bytes) return true;
    return false;
  }
  FaultyFileOps ops;
};

// Each way a save is made, with the steps that lead the panel to it.
struct SaveWay {
  const char* name;
  void (*save)(FaultInjection&);
};

TEST_F(FaultInjection, EveryFailingCallOfASaveLosesNothing) {
  const std::string oldText = Text('a', 20000), newText = Text('b', 60000);
  const SaveWay ways[] = {
      {"close", [](FaultInjection& t) { t.OpenMemo("other"); }},
      {"SaveState", [](FaultInjection& t) { t.harness.tool->SaveState(); }},
  };
  for (const SaveWay& way : ways) {
    SCOPED_TRACE(way.name);
    for (int call = 1;; ++call) {
      SCOPED_TRACE("failing call " + std::to_string(call));
      for (const std::string& name : FileNames(harness.Folder1())) ::DeleteFileA(MemoPath(name).c_str());
      WriteMemos({{"memo.txt", oldText}, {"other.txt", ""}});
      OpenMemo("memo");
      TypeIntoPane(newText);
      ops.Fail(FileCall::Any, ERROR_DISK_FULL, call);
      std::vector<Shown> shown = AnsweringAny([&] { way.save(*this); });
      bool struck = ops.Struck();
      ops.Heal();
      std::string file = ReadFileBytes(MemoPath("memo.txt"));
      ASSERT_TRUE(file == oldText || file == newText) << "the memo's file is torn";
      for (const std::string& name : FileNames(harness.Folder1())) EXPECT_NE(0u, name.find("~sb")) << name << " was left";
      bool inPane = PaneModified() && PaneText() == newText;
      EXPECT_TRUE(file == newText || AnotherMemoHolds(newText) || inPane) << "the edits are lost";
      if (file != newText && inPane) {
        EXPECT_FALSE(shown.empty()) << "the edits stayed in the pane without a word";
        EXPECT_EQ("memo", harness.OpenTitle());
      }
      // Let go of what the pane holds before the next round lists anew.
      ::SendMessageA(harness.Item(IDC_PANEL_TEXT), EM_SETMODIFY, FALSE, 0);
      if (!struck) break;
    }
  }
}

TEST_F(FaultInjection, ReadErrorWhileLoadingOpensTheMemoReadOnlyAndNeverWritesIt) {
  WriteMemos({{"memo.txt", "text that cannot be read"}, {"other.txt", ""}});
  ops.Fail(FileCall::Read, ERROR_CRC, 0);
  OpenMemo("memo");
  ops.Heal();
  EXPECT_NE(std::string::npos, harness.ItemText(IDC_PANEL_TITLE).find("（ファイルを読み込めないため読取り専用）"));
  EXPECT_TRUE(::GetWindowLongA(harness.Item(IDC_PANEL_TEXT), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(::IsWindowEnabled(harness.Item(IDC_PANEL_READ_ONLY)));
  EXPECT_EQ(0, harness.tool->SaveState());
  ::SendMessageA(harness.Item(IDC_PANEL_TEXT), EM_SETMODIFY, TRUE, 0);
  Answering({Press(IDOK)}, [&] { OpenMemo("other"); });
  EXPECT_EQ("text that cannot be read", ReadFileBytes(MemoPath("memo.txt")));
}

}  // namespace
