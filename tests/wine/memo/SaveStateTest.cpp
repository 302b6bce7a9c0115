// The host's SaveState: the position is always stored, the open text memo
// written when that loses nothing, and the work done on the panel's thread.
#include <gtest/gtest.h>

#include <string>

#include "MemoPanel.h"
#include "TestThreads.h"

namespace {

// Forwards to the harness's settings and notes the thread of each write.
class ThreadNotingSettings : public HostSettings {
public:
  explicit ThreadNotingSettings(HostSettings* settings) : inner(settings) {}
  void ReadValue(int section, const char* key, char* out) override { inner->ReadValue(section, key, out); }
  void WriteValue(int section, const char* key, const char* value) override {
    writeThreads.push_back(::GetCurrentThreadId());
    inner->WriteValue(section, key, value);
  }
  const char* GetHostPath(int kind, int reserved) override { return inner->GetHostPath(kind, reserved); }
  std::vector<DWORD> writeThreads;

private:
  HostSettings* inner;
};

// 1 for an open text memo whose text is safely on disk; an unedited one is
// not written again.
TEST(SaveState, AnswersForAnOpenTextMemoThatThePaneHoldsWhole) {
  const std::string over = MemoLines(200001);
  const struct {
    const char* title;
    DWORD kind;  // 0: nothing opened
    const char* file;
    std::string bytes;
    int result;
  } cases[] = {
      {"", 0, "", "", 0},
      {"page", MemoKindHtml, "page.html", "<p>x</p>", 0},
      {"plain", MemoKindText, "plain.txt", "same\r\nbytes", 1},
      {"over", MemoKindText, "over.txt", over, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    MemoPanel panel;
    if (c.kind) WriteFileBytes(panel.Path(c.file), c.bytes);
    panel.harness.settings.Set("WndPosX", "");
    ASSERT_TRUE(panel.Start());
    if (c.kind) {
      ASSERT_TRUE(panel.Select(c.title, c.kind));
      MakeOld(panel.Path(c.file));
    }
    ULONGLONG stamp = c.kind ? WriteTime(panel.Path(c.file)) : 0;
    EXPECT_EQ(c.result, panel.harness.tool->SaveState());
    EXPECT_NE("", panel.harness.settings.Get("WndPosX"));
    EXPECT_NE("", panel.harness.settings.Get("WndPosY"));
    if (!c.kind) continue;
    EXPECT_TRUE(SameText(c.bytes, ReadFileBytes(panel.Path(c.file))));
    EXPECT_EQ(stamp, WriteTime(panel.Path(c.file)));
    // The memo stays open.
    EXPECT_EQ(c.title, panel.harness.OpenTitle());
  }
}

TEST(SaveState, EditedMemoIsWrittenOnceAndStaysOpen) {
  MemoPanel panel;
  std::string path = panel.Path("memo.txt");
  WriteFileBytes(path, "a");
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(panel.Select("memo"));
  panel.Type("b");
  EXPECT_EQ(1, panel.harness.tool->SaveState());
  EXPECT_EQ("ab", ReadFileBytes(path));
  EXPECT_FALSE(panel.PaneModified());
  EXPECT_EQ("memo", panel.Caption());
  MakeOld(path);
  ULONGLONG stamp = WriteTime(path);
  EXPECT_EQ(1, panel.harness.tool->SaveState());
  EXPECT_EQ(stamp, WriteTime(path)) << "nothing new to write";
}

TEST(SaveState, RunsOnThePanelsThreadWhicheverThreadCalls) {
  MemoPanel panel;
  WriteFileBytes(panel.Path("memo.txt"), "a");
  ASSERT_TRUE(panel.Start());
  ThreadNotingSettings noting(panel.harness.tool->hostSettings);
  panel.harness.tool->hostSettings = &noting;
  ASSERT_TRUE(panel.Select("memo"));
  int result = -1;
  TestThread host([&] { result = panel.harness.tool->SaveState(); });
  PumpUntil([&] { return result != -1; });
  host.Join();
  EXPECT_EQ(1, result);
  ASSERT_FALSE(noting.writeThreads.empty());
  for (DWORD thread : noting.writeThreads) EXPECT_EQ(panel.PanelThread(), thread);
  panel.harness.tool->hostSettings = &panel.harness.settings;
}

// The panel's thread waits in a message box of a refused close: the host's
// SaveState still returns, without a write, and the box is answered after.
TEST(SaveState, ReturnsWhileThePanelWaitsInAMessageBox) {
  MemoPanel panel;
  std::string path = panel.Path("locked.txt");
  WriteFileBytes(path, "kept");
  WriteFileBytes(panel.Path("other.txt"), "");
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(panel.Select("locked"));
  panel.Type(" edit");
  SetReadOnlyAttribute(path, true);
  int result = -1;
  DialogAnswerer answer(
      panel.PanelThread(),
      [&](HWND box) {
        result = panel.harness.tool->SaveState();
        PressDialogButton(box, IDOK);
      },
      panel.PanelWindow());
  ASSERT_TRUE(panel.Select("other"));
  ASSERT_TRUE(answer.Wait());
  EXPECT_EQ(0, result);
  EXPECT_EQ("kept", ReadFileBytes(path));
  SetReadOnlyAttribute(path, false);
}

}  // namespace
