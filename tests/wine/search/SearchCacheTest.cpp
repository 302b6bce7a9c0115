// The memos the search keeps in memory: whatever other programs do to the
// memo files between two searches, the second answers as a new tool's first.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "SearchTestSupport.h"

namespace {

typedef std::vector<std::string> Texts;

// Writes a file's new bytes and gives it back the write time it had, as copy
// tools do.
void RewriteKeepingTime(const std::string& path, const std::string& bytes) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
  FILETIME written;
  ::GetFileTime(file, NULL, NULL, &written);
  DWORD done;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, NULL);
  ::SetEndOfFile(file);
  ::SetFileTime(file, NULL, NULL, &written);
  ::CloseHandle(file);
}

// Tools made as the host makes them and never started: the search needs no
// panel.
class SearchCache : public ::testing::Test {
protected:
  ~SearchCache() override { delete tool; }

  ToolBase* NewTool() { return ToolHarness::Factory()(harness.hostObject.AsWnd(), &harness.settings); }
  Texts FreshSearch() {
    ToolBase* fresh = NewTool();
    Texts found = SearchResults(fresh, "keyword");
    delete fresh;
    return found;
  }
  std::string At(int folder, const char* name) { return folders.Path(folder) + "\\" + name; }

  ToolHarness harness;
  SearchFolders folders{harness.settings, harness.Folder1()};
  TempFolder elsewhere;
  ToolBase* tool = NewTool();
};

TEST_F(SearchCache, ARepeatedSearchSeesEveryChangeMadeOutside) {
  folders.Write(1, "append.txt", "nothing\r\n");
  folders.Write(1, "same.txt", "keyword\r\n");
  folders.Write(1, "replaced.txt", "keyword\r\n");
  folders.Write(2, "gone.txt", "keyword\r\n");
  folders.Write(2, "old name.txt", "keyword\r\n");
  folders.Write(2, "travels.txt", "keyword\r\n");
  folders.Write(3, "page.html", "<p>keyword</p>");
  folders.Write(4, "four.txt", "keyword\r\n");
  WriteFileBytes(elsewhere / "elsewhere.txt", "keyword\r\n");
  struct Change {
    const char* what;
    std::function<void()> make;
  } changes[] = {
      {"a line appended", [&] { WriteFileBytes(At(1, "append.txt"), "nothing\r\nkeyword\r\n"); }},
      {"rewritten, same size, old time", [&] { RewriteKeepingTime(At(1, "same.txt"), "nothing\r\n"); }},
      {"a new memo", [&] { folders.Write(1, "new.txt", "keyword\r\n"); }},
      {"a memo replaced by a rename, same size, old time",
       [&] {
         ::CopyFileA(At(1, "replaced.txt").c_str(), At(1, "replaced.tmp").c_str(), FALSE);
         RewriteKeepingTime(At(1, "replaced.tmp"), "nothing\r\n");
         ::MoveFileExA(At(1, "replaced.tmp").c_str(), At(1, "replaced.txt").c_str(), MOVEFILE_REPLACE_EXISTING);
       }},
      {"a memo deleted", [&] { ::DeleteFileA(At(2, "gone.txt").c_str()); }},
      {"a memo renamed", [&] { ::MoveFileA(At(2, "old name.txt").c_str(), At(2, "new name.txt").c_str()); }},
      {"a memo moved to another folder", [&] { ::MoveFileA(At(2, "travels.txt").c_str(), At(5, "travels.txt").c_str()); }},
      {"a folder set elsewhere", [&] { harness.settings.Set("ScribbitFolderPath4", elsewhere.Path()); }},
      {"an HTML memo rewritten, same size, old time", [&] { RewriteKeepingTime(At(3, "page.html"), "<p>nothing</p>"); }},
      {"a folder no longer set", [&] { harness.settings.Set("ScribbitFolderPath4", ""); }},
  };
  for (const Change& change : changes) {
    Texts before = SearchResults(tool, "keyword");
    change.make();
    Texts after = SearchResults(tool, "keyword");
    EXPECT_NE(before, after) << change.what << ": the change must show in the results";
    EXPECT_EQ(FreshSearch(), after) << change.what;
  }
}

TEST_F(SearchCache, MemosBeyondTheBoundAreReadEachTime) {
  ::SetEnvironmentVariableA("SCRIBBIT_SEARCH_CACHE_MB", "1");
  ToolBase* bounded = NewTool();
  ::SetEnvironmentVariableA("SCRIBBIT_SEARCH_CACHE_MB", NULL);
  Texts expected;
  for (int i = 0; i < 24; ++i) {
    std::string name = "memo" + std::to_string(10 + i) + ".txt";
    folders.Write(1 + i % 2, name, std::string(100000, 'x') + "\r\nkeyword\r\n");
    expected.push_back((i % 2 ? "[ﾒﾓﾌｫﾙﾀﾞ:2] " : "[ﾒﾓﾌｫﾙﾀﾞ:1] ") + name);
  }
  std::sort(expected.begin(), expected.end());
  for (int round = 0; round < 2; ++round) {
    Texts found = SearchResults(bounded, "keyword");
    std::sort(found.begin(), found.end());
    EXPECT_EQ(expected, found) << "round " << round;
  }
  delete bounded;
}

// A search that starts while another holds the cache reads the files, and
// waits for nothing.
TEST_F(SearchCache, TwoSearchesAtOnceEachGiveEveryHit) {
  folders.Write(1, "a.txt", "keyword\r\n");
  folders.Write(3, "b.txt", "keyword\r\n");
  const Texts all = {"[ﾒﾓﾌｫﾙﾀﾞ:1] a.txt", "[ﾒﾓﾌｫﾙﾀﾞ:3] b.txt"};
  SearchResults(tool, "keyword");
  RecordingWindow results;
  ResultTarget target(results.Handle());
  Texts inner;
  AfterEachResult searchMeanwhile(results.Handle(), [&] {
    if (inner.empty()) inner = SearchResults(tool, "keyword");
  });
  SearchOnItsOwnThread(tool, target.request, "keyword");
  EXPECT_EQ(all, inner);
  EXPECT_EQ(all, ResultTexts(results));
}

// A report may name a memo in other capitals than the listing gave it.
TEST(SearchCacheReports, AChangeReportedInOtherCapitalsDropsTheCopy) {
  TempFolder folder;
  WriteFileBytes(folder / "memo.txt", "keyword");
  ::SearchCache cache(1 << 20);
  const std::string path = folder.Path() + "\\";
  const ListedStamp stamp = {7, {}};
  ScanView view = {"keyword", 7, false};
  CachedFolder* cached = cache.Folder(1, path.c_str());
  ASSERT_NE(nullptr, cached);
  cached->Keep("MEMO.TXT", stamp, view);
  WriteFileBytes(folder / "memo.txt", "nothing");
  EXPECT_FALSE(cache.Folder(1, path.c_str())->Find("MEMO.TXT", stamp, view));
}

}  // namespace
