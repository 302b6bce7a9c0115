// The host's search through slot 53: which memos are reported, how, and the
// requests it does not serve.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SearchTestSupport.h"

namespace {

typedef std::vector<std::string> Texts;

class HostSearch : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(harness.Start()); }

  Texts Search(const char* keyword) {
    EXPECT_EQ(0, harness.tool->SearchMemos(&target.request, keyword));
    return ResultTexts(results);
  }

  ToolHarness harness;
  SearchFolders folders{harness.settings, harness.Folder1()};
  RecordingWindow results;
  ResultTarget target{results.Handle()};
};

TEST_F(HostSearch, EveryFolderIsSearchedInOrderWhateverThePanelShows) {
  harness.settings.Set("ScribbitFolderName2", "仕事");
  harness.settings.Set("ScribbitFolderName5", "日記");
  for (int folder = 5; folder >= 1; --folder) folders.Write(folder, "f" + std::to_string(folder) + ".txt", "棚卸し\r\n");
  folders.Write(3, "other.txt", "nothing here\r\n");
  harness.Click(IDC_PANEL_FOLDER3);
  ASSERT_EQ(3, harness.CurrentFolder());

  EXPECT_EQ((Texts{"[ﾒﾓﾌｫﾙﾀﾞ:1] f1.txt", "[仕事ﾌｫﾙﾀﾞ] f2.txt", "[ﾒﾓﾌｫﾙﾀﾞ:3] f3.txt", "[ﾒﾓﾌｫﾙﾀﾞ:4] f4.txt", "[日記ﾌｫﾙﾀﾞ] f5.txt"}),
            Search("棚卸し"));
  EXPECT_EQ(3, harness.CurrentFolder());
}

TEST_F(HostSearch, EachMatchingMemoIsReportedOnce) {
  // Both words on several lines, and a match that only a read past the first
  // large block finds.
  folders.Write(1, "several.txt", "apple\r\nmelon\r\n\r\napple pie\r\nmelon\r\n");
  folders.Write(2, "long.txt", std::string(300000, 'x') + "\r\nlast line: melon\r\n");
  folders.Write(2, "neither.txt", "pear\r\nappl e\r\n");
  EXPECT_EQ((Texts{"[ﾒﾓﾌｫﾙﾀﾞ:1] several.txt", "[ﾒﾓﾌｫﾙﾀﾞ:2] long.txt"}), Search("apple melon"));
}

TEST_F(HostSearch, HtmlMemosAreSearchedAsPlainTextAndOtherFilesNotAtAll) {
  folders.Write(2, "page.html", "<p class=\"note\">text</p>\r\n");
  folders.Write(3, "page.htm", "<div class=\"note\"></div>");
  folders.Write(4, "notes.doc", "class=\"note\"\r\n");
  // "*.txt" finds these by their short names (NOTES~1.TXT), "*.htm*" the last.
  for (const char* name : {"notes.txt~", "a.txt2", "b.htmx"}) folders.Write(4, name, "class=\"note\"\r\n");
  ::CreateDirectoryA((folders.Path(4) + "\\sub").c_str(), NULL);
  folders.Write(4, "sub\\inner.txt", "class=\"note\"\r\n");
  EXPECT_EQ((Texts{"[ﾒﾓﾌｫﾙﾀﾞ:2] page.html", "[ﾒﾓﾌｫﾙﾀﾞ:3] page.htm"}), Search("class=\"note\""));
}

// The host may take its time over a result: meanwhile the memo is not held,
// and the panel's load and save of it go through.
TEST_F(HostSearch, MemoIsLetGoWhileTheHostHandlesItsResult) {
  std::string path = folders.Path(2) + "\\held.txt";
  folders.Write(2, "held.txt", "keyword\r\n");
  bool exclusive = false, readable = false, replaceable = false;
  AfterEachResult whileHandled(results.Handle(), [&] {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    exclusive = file != INVALID_HANDLE_VALUE;
    if (exclusive) ::CloseHandle(file);
    readable = ReadFileBytes(path) == "keyword\r\n";
    // A save gives a whole new file the memo's name.
    std::string replacement = folders.Path(2) + "\\replacement.tmp";
    WriteFileBytes(replacement, "saved by the panel");
    replaceable = ::MoveFileExA(replacement.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
  });
  EXPECT_EQ(Texts{"[ﾒﾓﾌｫﾙﾀﾞ:2] held.txt"}, Search("keyword"));
  EXPECT_TRUE(exclusive);
  EXPECT_TRUE(readable);
  EXPECT_TRUE(replaceable);
  EXPECT_EQ("saved by the panel", ReadFileBytes(path));
}

// A folder that is not set has no memos: nothing stands in for its path,
// and the root of the drive ("\\" alone) is never read.
TEST_F(HostSearch, UnsetFoldersAreNotSearched) {
  const std::string atRoot = "\\scribbit-search-root-probe.txt";
  ASSERT_TRUE(WriteFileBytes(atRoot, "keyword\r\n"));
  folders.Write(3, "set.txt", "keyword\r\n");
  for (int folder : {2, 4, 5}) harness.settings.Set("ScribbitFolderPath" + std::to_string(folder), "");
  EXPECT_EQ(Texts{"[ﾒﾓﾌｫﾙﾀﾞ:3] set.txt"}, Search("keyword"));
  ::DeleteFileA(atRoot.c_str());
}

TEST_F(HostSearch, RequestsItDoesNotServe) {
  folders.Write(1, "memo.txt", "keyword\r\n");
  EXPECT_EQ(0, harness.tool->SearchMemos(nullptr, "keyword"));
  EXPECT_TRUE(ResultTexts(results).empty());

  // Whatever memos match, an unknown mode gets the one message.
  target.request.searchMode = 1;
  EXPECT_EQ(Texts{"非対応の検索モードです。"}, Search("keyword"));
}

// A recorder of the setting keys the search reads, to see how far it went.
class KeyLog : public TestSettings {
public:
  using TestSettings::TestSettings;
  void ReadValue(int section, const char* key, char* out) override {
    keys.push_back(key);
    TestSettings::ReadValue(section, key, out);
  }
  std::vector<std::string> keys;
};

TEST(HostSearchWindowGone, NothingIsSentAndTheSearchGoesOn) {
  ToolHarness harness;
  KeyLog settings(harness.data.Path());
  SearchFolders folders(settings, harness.Folder1());
  typedef ToolBase*(__cdecl * NewTool)(CWnd*, HostSettings*);
  NewTool newTool = reinterpret_cast<NewTool>(reinterpret_cast<void*>(::GetProcAddress(ToolHarness::Library(), "NewJotbookTool")));
  harness.tool = newTool(harness.hostObject.AsWnd(), &settings);
  for (int folder = 1; folder <= 3; ++folder) folders.Write(folder, "m.txt", "keyword\r\nkeyword\r\n");

  RecordingWindow results;
  ResultTarget target(results.Handle());
  size_t keysBeforeGone = 0;
  AfterEachResult closeAfterFirst(results.Handle(), [&] {
    keysBeforeGone = settings.keys.size();
    ::DestroyWindow(results.Handle());
  });
  EXPECT_EQ(0, harness.tool->SearchMemos(&target.request, "keyword"));
  EXPECT_EQ(Texts{"[ﾒﾓﾌｫﾙﾀﾞ:1] m.txt"}, ResultTexts(results));
  Texts after(settings.keys.begin() + keysBeforeGone, settings.keys.end());
  for (const char* key : {"ScribbitFolderPath2", "ScribbitFolderPath3", "ScribbitFolderPath4", "ScribbitFolderPath5"})
    EXPECT_NE(after.end(), std::find(after.begin(), after.end(), key)) << key;

  // A window object that names no window at all: still no message and no harm.
  EXPECT_EQ(0, harness.tool->SearchMemos(&target.request, "keyword"));
  EXPECT_EQ(1u, ResultTexts(results).size());
}

}  // namespace
