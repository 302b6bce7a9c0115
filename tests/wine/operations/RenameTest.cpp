// The memo name dialog and renaming the open memo.
#include "OperationsFixture.h"

namespace {

// The refusal names the character it found.
std::string ForbiddenChar(const char* found) {
  return std::string("メモタイトルとして適切ではありません。\nファイル名に使用できない文字「") + found +
         "」が含まれています。（\\/:*?\"<>| と制御文字は使用できません）";
}
const char duplicate[] = "その名前のメモは既に登録されています！";
const char tooLong[] = "メモタイトルが長すぎます！\nメモファイルのパスが長すぎるため使用できません。";
const char reservedName[] =
    "メモタイトルとして適切ではありません。\nCON、PRN、AUX、NUL、COM1～COM9、LPT1～LPT9 はデバイス名のため、ファイル名に使用できません。";
const char cannotRename[] = "このメモは読取り専用です。メモ名を変更できません！";

class RenameMemo : public OperationsTest {
protected:
  // The rename request as the list raises it: F2 on the selected entry.
  std::vector<Shown> PressF2(const std::vector<Answer>& answers) {
    return Answering(answers, [this] { ::SendMessageA(harness.List(), WM_KEYDOWN, VK_F2, 0); });
  }
};

TEST_F(RenameMemo, MovesTheFileAtOnceAndTheEditsFollowIt) {
  WriteMemos({{"abc.txt", "saved"}, {"other.txt", "o"}});
  OpenMemo("abc");
  int index = harness.Selection();
  TypeIntoPane("edited");
  std::vector<Shown> shown = PressF2({TypeTitle("xyz")});
  ASSERT_EQ(1u, shown.size());
  EXPECT_FALSE(FileExists(MemoPath("abc.txt")));
  EXPECT_EQ("saved", ReadFileBytes(MemoPath("xyz.txt")));
  EXPECT_EQ("xyz", harness.OpenTitle());
  EXPECT_EQ("xyz", harness.ItemText(IDC_PANEL_TITLE));
  EXPECT_EQ("xyz", Titles()[index]);
  EXPECT_EQ(index, harness.Selection());
  EXPECT_TRUE(PaneModified());
  OpenMemo("other");
  EXPECT_EQ("edited", ReadFileBytes(MemoPath("xyz.txt")));
  EXPECT_FALSE(FileExists(MemoPath("abc.txt")));
}

TEST_F(RenameMemo, DialogRefusesUnusableTitlesAndKeepsThemTyped) {
  WriteMemos({{"abc.txt", "saved"}});
  OpenMemo("abc");
  struct Case {
    std::string title;
    std::string message;
  } cases[] = {
      // Unchanged: the open memo's own file exists.
      {"abc", duplicate},
      {"a/b", ForbiddenChar("/")},
      {"a\"b", ForbiddenChar("\"")},
      {"メ\\a", ForbiddenChar("\\")},
      {"a\tb", ForbiddenChar("U+0009")},
      {std::string(300, 'a'), tooLong},
      // Device names, which a file of the name would open instead.
      {"CON", reservedName},
      {"nul.txt", reservedName},
      {"Com1 ", reservedName},
      {"LPT9..", reservedName},
      {"aux.tar.gz", reservedName},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    std::string kept;
    std::vector<Shown> shown = PressF2({TypeTitle(c.title), Press(IDOK), [&](HWND dialog) {
                                          char text[512] = "";
                                          ::GetDlgItemTextA(dialog, IDC_MEMO_NAME_TITLE, text, sizeof(text));
                                          kept = text;
                                          PressDialogButton(dialog, IDCANCEL);
                                        }});
    ASSERT_EQ(3u, shown.size());
    EXPECT_EQ(c.message, shown[1].text);
    EXPECT_EQ("スクリビット", shown[1].caption);
    EXPECT_EQ(Stop, shown[1].type);
    EXPECT_EQ(c.title, kept);
  }
  EXPECT_EQ("saved", ReadFileBytes(MemoPath("abc.txt")));
  EXPECT_EQ("abc", harness.OpenTitle());
}

TEST_F(RenameMemo, RefusedWithoutAWritableTextMemoOpen) {
  WriteMemos({{"locked.txt", "locked"}, {"page.html", "<p>h</p>"}, {"page.txt", "same title"}});
  ::SetFileAttributesA(MemoPath("locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  struct Case {
    const char* open;
    DWORD kind;
  } cases[] = {{"locked", MemoKindText}, {"page", MemoKindHtml}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.open);
    OpenMemo(c.open, c.kind);
    ASSERT_EQ(c.open, harness.OpenTitle());
    std::vector<Shown> shown = PressF2({Press(IDOK)});
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(cannotRename, shown[0].text);
    EXPECT_EQ("Scribbit", shown[0].caption);
    EXPECT_EQ(Exclamation, shown[0].type);
    EXPECT_EQ(c.open, harness.OpenTitle());
  }
  EXPECT_EQ("same title", ReadFileBytes(MemoPath("page.txt")));
  EXPECT_EQ("locked", ReadFileBytes(MemoPath("locked.txt")));
}

TEST_F(RenameMemo, MemoShownCutKeepsAllItsBytes) {
  std::string big = TooLongForThePane();
  WriteMemos({{"big.txt", big}, {"other.txt", "o"}});
  OpenMemo("big");
  ASSERT_NE(std::string::npos, harness.ItemText(IDC_PANEL_TITLE).find("（全文を表示できないため読取り専用）"));
  std::vector<Shown> shown = PressF2({TypeTitle("large")});
  ASSERT_EQ(1u, shown.size());
  EXPECT_FALSE(PaneModified());
  EXPECT_EQ(0u, harness.ItemText(IDC_PANEL_TITLE).find("large  （"));
  // Closing it shows no refusal and writes nothing.
  EXPECT_TRUE(Answering({}, [&] { OpenMemo("other"); }).empty());
  EXPECT_EQ(big, ReadFileBytes(MemoPath("large.txt")));
  EXPECT_FALSE(FileExists(MemoPath("big.txt")));
}

}  // namespace
