// The memos the search keeps in memory: whatever other programs do to the
// memo files between two searches, the second answers as a new tool's first.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "FaultyFileOps.h"
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

// A memo another program holds open without sharing cannot be read: a first
// search passes it by, a repeated one answers from what it read before,
// which the memo still holds.
TEST_F(SearchCache, AMemoHeldOpenIsFoundFromTheCopyKept) {
  folders.Write(1, "held.txt", "keyword\r\n");
  const Texts hit = {"[ﾒﾓﾌｫﾙﾀﾞ:1] held.txt"};
  EXPECT_EQ(hit, SearchResults(tool, "keyword"));
  HANDLE held = ::CreateFileA(At(1, "held.txt").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EXPECT_EQ(hit, SearchResults(tool, "keyword"));
  EXPECT_EQ(Texts(), FreshSearch());
  ::CloseHandle(held);
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
  const ListedStamp stamp = {7, {}, false};
  ScanView view = {"keyword", 7, false};
  CachedFolder* cached = cache.Folder(1, path.c_str());
  ASSERT_NE(nullptr, cached);
  cached->Keep("MEMO.TXT", stamp, view);
  WriteFileBytes(folder / "memo.txt", "nothing");
  EXPECT_FALSE(cache.Folder(1, path.c_str())->Find("MEMO.TXT", stamp, view));
}

// The listing gives a link its own stamp, which stays when its target changes.
TEST(SearchCacheReports, ALinkedMemoIsNeverKept) {
  TempFolder folder;
  ::SearchCache cache(1 << 20);
  const std::string path = folder.Path() + "\\";
  ScanView view = {"keyword", 7, false};
  for (bool link : {false, true}) {
    const ListedStamp stamp = {7, {}, link};
    cache.Folder(1, path.c_str())->Keep(link ? "link.txt" : "file.txt", stamp, view);
    EXPECT_EQ(!link, cache.Folder(1, path.c_str())->Find(link ? "link.txt" : "file.txt", stamp, view)) << link;
  }
}

// A watch would hold a USB stick's folder open, and Windows would refuse to
// remove the stick: such a folder keeps no copies.
TEST(SearchCacheReports, AFolderOnARemovableDriveIsNeitherWatchedNorKept) {
  TempFolder folder;
  for (UINT drive : {DRIVE_FIXED, DRIVE_REMOVABLE}) {
    FaultyFileOps ops;
    ops.driveType = drive;
    ::SearchCache cache(1 << 20, ops);
    EXPECT_EQ(drive == DRIVE_FIXED, cache.Folder(1, (folder.Path() + "\\").c_str()) != nullptr) << drive;
  }
}

// What a read of a folder's reports tells, as Windows may give it.
TEST(SearchCacheReports, AReadThatLostReportsDropsEveryCopy) {
  DWORD reports[64] = {};
  FILE_NOTIFY_INFORMATION* first = reinterpret_cast<FILE_NOTIFY_INFORMATION*>(reports);
  first->NextEntryOffset = 32;
  first->FileNameLength = 2 * sizeof(WCHAR);
  memcpy(first->FileName, L"ab", 2 * sizeof(WCHAR));
  FILE_NOTIFY_INFORMATION* second = reinterpret_cast<FILE_NOTIFY_INFORMATION*>(reports + 8);
  second->FileNameLength = 2 * sizeof(WCHAR);
  memcpy(second->FileName, L"cd", 2 * sizeof(WCHAR));
  const struct {
    const char* what;
    bool read;
    DWORD got;
    bool everything;
    std::set<std::string> names;
  } cases[] = {
      {"two reports", true, 48, false, {"ab", "cd"}},
      {"the read failed", false, 48, true, {}},
      {"too many to fit: success with nothing", true, 0, true, {}},
      {"the second cut in its name", true, 46, true, {"ab"}},
  };
  for (const auto& c : cases) {
    FolderWatch::Changes changes;
    TakeReports(c.read, reports, c.got, changes);
    EXPECT_EQ(c.everything, changes.everything) << c.what;
    EXPECT_EQ(c.names, changes.names) << c.what;
  }
}

}  // namespace
