// Closing memos: what reaches the file, and what survives a write that is
// refused or fails.
#include <gtest/gtest.h>

#include <string>

#include "MemoPanel.h"

namespace {

const char readOnlyRefusal[] = "このメモは読取り専用です！\n編集を保存できませんでした。";
// The fixed text, and why on a line below it.
const char writeFailure[] = "カレントメモフォルダパスにファイルが存在しません！\n編集を保存できませんでした。\nフォルダが見つかりません。";
const char incompleteRefusal[] = "このメモは全文を表示できないため読取り専用です！\n編集を保存できませんでした。";

TEST(MemoSaving, UneditedCloseWritesNothing) {
  MemoPanel panel;
  std::string path = panel.Path("calm.txt");
  WriteFileBytes(path, "line\r\n");
  WriteFileBytes(panel.Path("next.txt"), "");
  MakeOld(path);
  ULONGLONG stamp = WriteTime(path);
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(panel.Select("calm"));
  ASSERT_TRUE(panel.Select("next"));
  EXPECT_EQ("line\r\n", ReadFileBytes(path));
  EXPECT_EQ(stamp, WriteTime(path));
}

TEST(MemoSaving, EditedCloseRewritesTheWholeFileWithThePanesBytes) {
  const std::string nearlyFull = MemoLines(199990);
  const struct {
    const char* name;
    std::string before;
    const char* typed;
    std::string after;
  } cases[] = {
      {"lines", "一行目\r\n二行目", "\r\n三行目", "一行目\r\n二行目\r\n三行目"},
      {"bare", "a\nb", "c", "a\nbc"},
      {"full", nearlyFull, "0123456789", nearlyFull + "0123456789"},
  };
  MemoPanel panel;
  for (const auto& c : cases) WriteFileBytes(panel.Path(std::string(c.name) + ".txt"), c.before);
  WriteFileBytes(panel.Path("zzz.txt"), "");
  ASSERT_TRUE(panel.Start());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(panel.Select(c.name));
    panel.Type(c.typed);
    ASSERT_TRUE(panel.PaneModified());
    ASSERT_TRUE(panel.Select("zzz"));
    EXPECT_TRUE(SameText(c.after, ReadFileBytes(panel.Path(std::string(c.name) + ".txt"))));
  }
  EXPECT_EQ(200000u, ReadFileBytes(panel.Path("full.txt")).size());
}

TEST(MemoSaving, FileDeletedWhileOpenIsWrittenAgainOnClose) {
  MemoPanel panel;
  std::string path = panel.Path("fleeting.txt");
  WriteFileBytes(path, "text");
  WriteFileBytes(panel.Path("other.txt"), "");
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(panel.Select("fleeting"));
  panel.Type(" more");
  ::DeleteFileA(path.c_str());
  ASSERT_TRUE(panel.Select("other"));
  EXPECT_EQ("text more", ReadFileBytes(path));
}

// A refused close keeps the memo open with its edits, and the list on it;
// once the file is writable again, the next change of memo saves them.
TEST(MemoSaving, ReadOnlyFileRefusesTheWriteAndTheMemoStaysOpen) {
  MemoPanel panel;
  std::string first = panel.Path("first.txt");
  std::string second = panel.Path("second.txt");
  WriteFileBytes(first, "first");
  WriteFileBytes(second, "second");
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(panel.Select("first"));
  int index = panel.harness.Selection();
  panel.Type(" edited");
  SetReadOnlyAttribute(first, true);
  {
    DialogAnswerer answer(panel.PanelThread(), IDOK, panel.PanelWindow());
    ASSERT_TRUE(panel.Select("second"));
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ(readOnlyRefusal, answer.text);
    EXPECT_EQ("Scribbit", answer.caption);
  }
  EXPECT_EQ("first edited", panel.PaneText());
  EXPECT_EQ("first", panel.Caption());
  EXPECT_TRUE(panel.PaneModified());
  EXPECT_EQ(index, panel.harness.Selection());
  EXPECT_EQ("first", ReadFileBytes(first));
  EXPECT_EQ("second", ReadFileBytes(second));
  SetReadOnlyAttribute(first, false);
  ASSERT_TRUE(panel.Select("second"));
  EXPECT_EQ("first edited", ReadFileBytes(first));
  EXPECT_EQ("second", panel.PaneText());
}

// Switching the read-only toggle on closes and reopens the memo: when the
// close is refused, the reopened pane keeps the edits, and they are saved
// once the file is writable again.
TEST(MemoSaving, ReadOnlySwitchOverUnsavableEditsKeepsThem) {
  MemoPanel panel;
  std::string path = panel.Path("memo.txt");
  WriteFileBytes(path, "old");
  WriteFileBytes(panel.Path("other.txt"), "");
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(panel.Select("memo"));
  panel.Type(" new");
  SetReadOnlyAttribute(path, true);
  {
    DialogAnswerer answer(panel.PanelThread(), IDOK, panel.PanelWindow());
    ::SendMessageA(panel.Toggle(), BM_SETCHECK, BST_CHECKED, 0);
    panel.harness.Click(IDC_PANEL_READ_ONLY);
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ(readOnlyRefusal, answer.text);
  }
  EXPECT_EQ("old new", panel.PaneText());
  EXPECT_TRUE(panel.PaneModified());
  EXPECT_TRUE(panel.PaneReadOnly());
  EXPECT_EQ("old", ReadFileBytes(path));

  ::SendMessageA(panel.Toggle(), BM_SETCHECK, BST_UNCHECKED, 0);
  panel.harness.Click(IDC_PANEL_READ_ONLY);
  EXPECT_FALSE(HasReadOnlyAttribute(path));
  ASSERT_TRUE(panel.Select("other"));
  EXPECT_EQ("old new", ReadFileBytes(path));
}

// A write that fails keeps the memo open with its edits, and the panel in
// its folder, until the write can be made.
TEST(MemoSaving, FailedWriteKeepsTheMemoAndItsFolder) {
  TempFolder second;
  std::string twin = second / "memo.txt";
  WriteFileBytes(twin, "the other folder's memo");
  MemoPanel panel;
  panel.harness.settings.Set("ScribbitFolderPath2", second.Path());
  std::string path = panel.Path("memo.txt");
  WriteFileBytes(path, "text");
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(panel.Select("memo"));
  panel.Type(" and edits");
  RemoveTree(panel.harness.Folder1());
  {
    DialogAnswerer answer(panel.PanelThread(), IDOK, panel.PanelWindow());
    panel.harness.Click(IDC_PANEL_FOLDER2);
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ(writeFailure, answer.text);
  }
  EXPECT_EQ(1, panel.harness.CurrentFolder());
  EXPECT_EQ("text and edits", panel.PaneText());
  EXPECT_TRUE(panel.PaneModified());
  EXPECT_TRUE(panel.PaneVisible());
  EXPECT_EQ("memo", panel.Caption());

  ::CreateDirectoryA(panel.harness.Folder1().c_str(), NULL);
  panel.harness.Click(IDC_PANEL_FOLDER2);
  EXPECT_EQ(2, panel.harness.CurrentFolder());
  EXPECT_EQ("text and edits", ReadFileBytes(path));
  EXPECT_EQ("the other folder's memo", ReadFileBytes(twin));
}

TEST(MemoSaving, EditOfAMemoShownCutIsRefused) {
  MemoPanel panel;
  std::string path = panel.Path("big.txt");
  const std::string big = MemoLines(200001);
  WriteFileBytes(path, big);
  WriteFileBytes(panel.Path("small.txt"), "");
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(panel.Select("big"));
  ::SendMessageA(panel.Pane(), EM_SETMODIFY, TRUE, 0);
  {
    DialogAnswerer answer(panel.PanelThread(), IDOK, panel.PanelWindow());
    ASSERT_TRUE(panel.Select("small"));
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ(incompleteRefusal, answer.text);
  }
  EXPECT_TRUE(SameText(big, ReadFileBytes(path)));
  EXPECT_EQ("small", panel.Caption());
  EXPECT_TRUE(panel.ToggleEnabled());
  EXPECT_FALSE(panel.PaneReadOnly());
}

TEST(MemoSaving, ClosingThePanelSavesTheOpenMemo) {
  MemoPanel panel;
  std::string path = panel.Path("last.txt");
  WriteFileBytes(path, "x");
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(panel.Select("last"));
  panel.Type("y");
  panel.harness.Close();
  EXPECT_EQ("xy", ReadFileBytes(path));
}

}  // namespace
