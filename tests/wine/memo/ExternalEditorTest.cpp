// The editor button: the open memo's file, written first when it is a text
// memo, handed to the editor set in the settings as one argument.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemoPanel.h"

namespace {

class ExternalEditor : public ::testing::Test {
protected:
  void SetUp() override {
    char module[MAX_PATH];
    ::GetModuleFileNameA(NULL, module, sizeof(module));
    std::string editor = module;
    editor = editor.substr(0, editor.rfind('\\')) + "\\record_args.exe";
    panel.harness.settings.Set("ScribbitEditorPath", editor);
    ::SetEnvironmentVariableA("SCRIBBIT_RECORD_ARGS", record.c_str());
  }
  void TearDown() override { ::SetEnvironmentVariableA("SCRIBBIT_RECORD_ARGS", NULL); }

  // The arguments the editor was started with, tab between two, one line a
  // start, once there are count of them or the time is up.
  std::vector<std::string> Launches(size_t count, int timeoutMs = 10000) {
    std::vector<std::string> lines;
    PumpUntil(
        [&] {
          lines.clear();
          std::string text = ReadFileBytes(record);
          for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start));
          return lines.size() >= count;
        },
        timeoutMs);
    return lines;
  }

  MemoPanel panel;
  TempFolder records;
  std::string record = records / "launches.txt";
};

TEST_F(ExternalEditor, NoMemoOpenStartsNothing) {
  TempFolder second;
  WriteFileBytes(second / "there.txt", "t");
  panel.harness.settings.Set("ScribbitFolderPath2", second.Path());
  std::string memo = panel.Path("memo.txt");
  WriteFileBytes(memo, "m");
  MakeOld(memo);
  ULONGLONG stamp = WriteTime(memo);
  ASSERT_TRUE(panel.Start());
  // Nothing opened yet, then a memo closed by the switch to folder 2.
  panel.harness.Click(IDC_PANEL_OPEN_EDITOR);
  ASSERT_TRUE(panel.Select("memo"));
  panel.harness.Click(IDC_PANEL_FOLDER2);
  panel.harness.Click(IDC_PANEL_OPEN_EDITOR);
  ASSERT_TRUE(panel.Select("there"));
  panel.harness.Click(IDC_PANEL_OPEN_EDITOR);
  ASSERT_EQ(1u, Launches(1).size());
  // Only the last press started the editor; any earlier start was made before it.
  std::vector<std::string> launches = Launches(2, 500);
  ASSERT_EQ(1u, launches.size());
  EXPECT_EQ(second / "there.txt", launches[0]);
  EXPECT_EQ(stamp, WriteTime(memo));
}

TEST_F(ExternalEditor, TextMemoIsWrittenFirstAndItsPathPassedAsOneArgument) {
  TempFolder spaced;
  std::string folder = spaced / "my memos";
  ::CreateDirectoryA(folder.c_str(), NULL);
  panel.harness.settings.Set("ScribbitFolderPath2", folder);
  std::string path = folder + "\\my memo.txt";
  WriteFileBytes(path, "on disk");
  ASSERT_TRUE(panel.Start());
  panel.harness.Click(IDC_PANEL_FOLDER2);
  ASSERT_TRUE(panel.Select("my memo"));
  panel.Type(" and in the pane");
  panel.harness.Click(IDC_PANEL_OPEN_EDITOR);
  EXPECT_EQ("on disk and in the pane", ReadFileBytes(path));
  std::vector<std::string> launches = Launches(1);
  ASSERT_EQ(1u, launches.size());
  EXPECT_EQ(path, launches[0]);
  // The memo stays open; its text is on disk, so only later edits count.
  EXPECT_FALSE(panel.PaneModified());
  EXPECT_EQ("my memo", panel.Caption());
}

TEST_F(ExternalEditor, HtmlMemoAndCutMemoAreHandedOverUnwritten) {
  std::string page = panel.Path("page.htm");
  std::string big = panel.Path("big.txt");
  const std::string bigText = MemoLines(200001);
  WriteFileBytes(page, "<p>page</p>");
  WriteFileBytes(big, bigText);
  MakeOld(page);
  MakeOld(big);
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(panel.Select("page", MemoKindHtml));
  panel.harness.Click(IDC_PANEL_OPEN_EDITOR);
  ASSERT_EQ(1u, Launches(1).size());
  ASSERT_TRUE(panel.Select("big"));
  panel.harness.Click(IDC_PANEL_OPEN_EDITOR);
  std::vector<std::string> launches = Launches(2);
  ASSERT_EQ(2u, launches.size());
  EXPECT_EQ(page, launches[0]);
  EXPECT_EQ(big, launches[1]);
  EXPECT_TRUE(SameText(bigText, ReadFileBytes(big)));
  EXPECT_EQ("<p>page</p>", ReadFileBytes(page));
}

}  // namespace
