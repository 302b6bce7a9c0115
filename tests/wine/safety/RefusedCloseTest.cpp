// An edited memo whose edits cannot be saved (its file is read-only): every
// way of leaving it keeps it open with them, and closing the panel keeps them
// in a new memo of the tool's own folder. No memo open means no pane to type in.
#include "OperationsFixture.h"

namespace {

const char readOnlyRefusal[] = "このメモは読取り専用です！\n編集を保存できませんでした。";
const char rescued[] = "編集をメモに保存できなかったため、マイメモフォルダの新しいメモ「memo」に保存しました。";

class RefusedClose : public OperationsTest {
public:
  // The memo lives in folder 2, so that leaving it can also mean folder 1.
  void SetUp() override {
    OperationsTest::SetUp();
    harness.settings.Set("ScribbitFolderPath2", folder.Path());
    WriteFileBytes(memo, "saved");
    WriteFileBytes(folder / "other.txt", "");
    harness.Click(IDC_PANEL_FOLDER2);
    OpenMemo("memo");
    TypeIntoPane("saved and edited");
    ::SetFileAttributesA(memo.c_str(), FILE_ATTRIBUTE_READONLY);
  }
  // The panel closes, saving the edits, while their folder is still there.
  void TearDown() override {
    ::SetFileAttributesA(memo.c_str(), FILE_ATTRIBUTE_NORMAL);
    harness.Close();
  }

  TempFolder folder;
  std::string memo = folder / "memo.txt";
};

TEST_F(RefusedClose, EveryWayOfLeavingKeepsTheMemoOpenWithItsEdits) {
  const struct {
    const char* way;
    std::vector<Answer> answers;
    std::function<void(RefusedClose&)> leave;
  } cases[] = {
      {"another memo", {Press(IDOK)}, [](RefusedClose& t) { t.OpenMemo("other"); }},
      {"a new memo", {TypeTitle("fresh"), Press(IDOK)}, [](RefusedClose& t) { t.harness.Click(IDC_PANEL_NEW); }},
      {"folder 1", {Press(IDOK)}, [](RefusedClose& t) { t.harness.Click(IDC_PANEL_FOLDER1); }},
      {"settings", {Press(IDOK), Press(IDOK)}, [](RefusedClose& t) { t.harness.tool->RunSettings(0, 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.way);
    std::vector<Shown> shown = Answering(c.answers, [&] { c.leave(*this); });
    ASSERT_EQ(c.answers.size(), shown.size());
    EXPECT_EQ(readOnlyRefusal, shown.back().text);
    EXPECT_EQ("memo", harness.OpenTitle());
    EXPECT_EQ("memo", Titles()[harness.Selection()]);
    EXPECT_EQ(2, harness.CurrentFolder());
    EXPECT_EQ("saved and edited", PaneText());
    EXPECT_TRUE(PaneModified());
    EXPECT_EQ("saved", ReadFileBytes(memo));
  }
  EXPECT_FALSE(FileExists(folder / "fresh.txt"));
}

TEST_F(RefusedClose, ClosingThePanelKeepsTheEditsInTheToolsOwnFolder) {
  std::vector<Shown> shown = Answering({Press(IDOK), Press(IDOK)}, [this] { harness.Close(); });
  ASSERT_EQ(2u, shown.size());
  EXPECT_EQ(readOnlyRefusal, shown[0].text);
  EXPECT_EQ(rescued, shown[1].text);
  EXPECT_EQ("saved", ReadFileBytes(memo));
  EXPECT_EQ("saved and edited", ReadFileBytes(MemoPath("memo.txt")));
}

TEST_F(RefusedClose, NoEditablePaneAfterTheLastMemoIsDeleted) {
  ::SetFileAttributesA(memo.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileA((folder / "other.txt").c_str());
  Relist();
  OpenMemo("memo");
  ASSERT_EQ(1u, Answering({Press(IDYES)}, [this] { harness.Click(IDC_PANEL_DELETE); }).size());
  EXPECT_TRUE(Titles().empty());
  EXPECT_EQ("", harness.OpenTitle());
  EXPECT_TRUE(::GetWindowLongA(harness.Item(IDC_PANEL_TEXT), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(FileExists(memo));
}

}  // namespace
