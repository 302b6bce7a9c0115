// The memo folders: listing, switching, and the message for an unset folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ToolHarness.h"

namespace {

struct Entry {
  std::string title;
  DWORD kind;
  bool operator==(const Entry& other) const { return title == other.title && kind == other.kind; }
};

std::vector<Entry> ListedMemos(ToolHarness& harness) {
  std::vector<Entry> entries;
  std::vector<std::string> titles = harness.Titles();
  for (size_t i = 0; i < titles.size(); ++i) entries.push_back({titles[i], harness.KindAt(static_cast<int>(i))});
  return entries;
}

bool Contains(const std::vector<Entry>& entries, const Entry& entry) {
  for (const Entry& e : entries)
    if (e == entry) return true;
  return false;
}

class MemoFolders : public ::testing::Test {
protected:
  void SetUp() override {
    WriteFileBytes(memos / "notes.2010.txt", "n");
    WriteFileBytes(memos / "plain.txt", "p");
    WriteFileBytes(memos / "a.html", "<p>html</p>");
    WriteFileBytes(memos / "a.htm", "<p>htm</p>");
    WriteFileBytes(memos / "skip.doc", "d");
    // Found by "*.txt" through their short names (NOTES~1.TXT), and by "*.htm*".
    WriteFileBytes(memos / "notes.txt~", "backup");
    WriteFileBytes(memos / "a.txt2", "x");
    WriteFileBytes(memos / "b.htmx", "x");
  }
  TempFolder memos;
  ToolHarness harness;
};

TEST_F(MemoFolders, TitlesAndKindsOfAFolder) {
  harness.settings.Set("ScribbitFolderPath2", memos.Path());
  ASSERT_TRUE(harness.Start());
  harness.Click(IDC_PANEL_FOLDER2);
  EXPECT_EQ(2, harness.CurrentFolder());
  std::vector<Entry> entries = ListedMemos(harness);
  ASSERT_EQ(4u, entries.size());
  // Text memos first, then HTML memos; both HTML files list under the title a.
  EXPECT_EQ(116u, entries[0].kind);
  EXPECT_EQ(116u, entries[1].kind);
  EXPECT_TRUE(Contains(entries, {"notes.2010", 116}));
  EXPECT_TRUE(Contains(entries, {"plain", 116}));
  EXPECT_EQ((Entry{"a", 104}), entries[2]);
  EXPECT_EQ((Entry{"a", 104}), entries[3]);
  EXPECT_LT(harness.Selection(), 0);
  EXPECT_EQ(" (No files opened!) ", harness.ItemText(IDC_PANEL_TITLE));
}

TEST_F(MemoFolders, TrailingBackslashListsTheSameMemos) {
  harness.settings.Set("ScribbitFolderPath2", memos.Path());
  harness.settings.Set("ScribbitFolderPath3", memos.Path() + "\\");
  ASSERT_TRUE(harness.Start());
  harness.Click(IDC_PANEL_FOLDER2);
  std::vector<Entry> without = ListedMemos(harness);
  harness.Click(IDC_PANEL_FOLDER3);
  EXPECT_EQ(3, harness.CurrentFolder());
  std::vector<Entry> with = ListedMemos(harness);
  EXPECT_EQ(4u, with.size());
  EXPECT_TRUE(with == without);
  // A memo opened from it names its file with one backslash before the title:
  // the missing file would otherwise be made somewhere else.
  int plain = 0;
  while (with[plain].title != "plain") ++plain;
  harness.SelectIndex(plain);
  EXPECT_EQ("plain", harness.ItemText(IDC_PANEL_TITLE));
  EXPECT_EQ("p", harness.ItemText(IDC_PANEL_TEXT));
}

TEST_F(MemoFolders, MissingDirectoryGivesAnEmptyListAndNoMessage) {
  harness.settings.Set("ScribbitFolderPath4", memos / "gone");
  ASSERT_TRUE(harness.Start());
  harness.Click(IDC_PANEL_FOLDER4);
  EXPECT_EQ(4, harness.CurrentFolder());
  EXPECT_TRUE(ListedMemos(harness).empty());
  EXPECT_EQ(0, harness.tool->modalFlag);
}

TEST_F(MemoFolders, CurrentFolderButtonDoesNothing) {
  harness.settings.Set("ScribbitFolderPath2", memos.Path());
  ASSERT_TRUE(harness.Start());
  harness.Click(IDC_PANEL_FOLDER2);
  WriteFileBytes(memos / "later.txt", "l");
  harness.Click(IDC_PANEL_FOLDER2);
  // No new listing: the file added meanwhile is not shown.
  EXPECT_EQ(4u, ListedMemos(harness).size());
}

TEST_F(MemoFolders, UnsetFolderComplainsAndListsThePreviousAgain) {
  harness.settings.Set("ScribbitFolderPath2", memos.Path());
  ASSERT_TRUE(harness.Start());
  harness.Click(IDC_PANEL_FOLDER2);
  harness.settings.ClearWrites();
  int modalDuring = -1;
  DialogAnswerer answer(
      harness.PanelThreadId(),
      [&](HWND box) {
        modalDuring = harness.tool->modalFlag;
        PressDialogButton(box, IDOK);
      },
      harness.PanelWindow());
  harness.Click(IDC_PANEL_FOLDER5);
  ASSERT_TRUE(answer.Wait());
  EXPECT_EQ(1, modalDuring);
  EXPECT_EQ("メモフォルダが設定されていません！", answer.text);
  EXPECT_EQ("Scribbit", answer.caption);
  EXPECT_EQ(2, harness.CurrentFolder());
  EXPECT_EQ(4u, ListedMemos(harness).size());
  EXPECT_EQ(0, harness.tool->modalFlag);
  // The empty path is stored again.
  auto writes = harness.settings.Writes();
  ASSERT_FALSE(writes.empty());
  EXPECT_EQ("ScribbitFolderPath5", writes[0].first);
  EXPECT_EQ("", writes[0].second);
}

TEST_F(MemoFolders, FolderOneIsAlwaysTheToolsOwnFolder) {
  harness.settings.Set("ScribbitFolderPath1", "C:\\elsewhere");
  ASSERT_TRUE(harness.Start());
  EXPECT_EQ(harness.Folder1(), harness.settings.Get("ScribbitFolderPath1"));
  // Removed behind the panel's back, it is made again before it is listed.
  harness.settings.Set("ScribbitFolderPath2", memos.Path());
  harness.Click(IDC_PANEL_FOLDER2);
  RemoveTree(harness.Folder1());
  harness.Click(IDC_PANEL_FOLDER1);
  EXPECT_TRUE(FileExists(harness.Folder1()));
  EXPECT_TRUE(ListedMemos(harness).empty());
}

// The panel reopens where the user left it, as far as that place is still there.
TEST_F(MemoFolders, ThePanelReopensWhereTheUserLeftIt) {
  harness.settings.Set("ScribbitFolderPath2", memos.Path());
  const struct {
    const char* folder;
    const char* memo;  // as stored
    int shown;
    const char* open;
  } cases[] = {
      {"2", "plain.txt", 2, "plain"}, {"2", "a.html", 2, "a"}, {"2", "gone.txt", 2, ""}, {"3", "plain.txt", 1, ""}, {"x", "", 1, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.folder) + " " + c.memo);
    harness.settings.Set("ScribbitLastFolder", c.folder);
    harness.settings.Set("ScribbitLastMemo", c.memo);
    ASSERT_TRUE(harness.Start());
    EXPECT_EQ(c.shown, harness.CurrentFolder());
    EXPECT_EQ(c.open, harness.OpenTitle());
    harness.Close();
    EXPECT_EQ(std::to_string(c.shown), harness.settings.Get("ScribbitLastFolder"));
    EXPECT_EQ(*c.open ? c.memo : "", harness.settings.Get("ScribbitLastMemo"));
  }
}

}  // namespace
