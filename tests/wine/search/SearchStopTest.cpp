// The stop flag: the host sets it from its own thread while the search runs on
// another, and no memo after that is reported.
#include <gtest/gtest.h>

#include "SearchTestSupport.h"

namespace {

// Read from the files, and again from the memos a first search kept.
TEST(SearchStop, FlagSetFromAnotherThreadStopsTheSearchBeforeTheNextFile) {
  ToolHarness harness;
  SearchFolders folders(harness.settings, harness.Folder1());
  for (int folder = 1; folder <= 5; ++folder)
    for (const char* name : {"a.txt", "b.txt"}) folders.Write(folder, name, "keyword\r\n");
  ASSERT_TRUE(harness.Start());

  for (bool kept : {false, true}) {
    if (kept) {
      ASSERT_EQ(10u, SearchResults(harness.tool, "keyword").size());
    }
    // The result window lives on this thread, which sets the flag as it
    // handles the first result; the search runs on a thread of its own.
    RecordingWindow results;
    ResultTarget target(results.Handle());
    AfterEachResult stopAfterFirst(results.Handle(), [&] { target.request.stopFlag = 1; });
    EXPECT_EQ(0, SearchOnItsOwnThread(harness.tool, target.request, "keyword"));
    ASSERT_EQ(1u, ResultTexts(results).size()) << (kept ? "kept" : "read");
    EXPECT_EQ(0u, ResultTexts(results)[0].find("[ﾒﾓﾌｫﾙﾀﾞ:1] "));

    // Still set when the next search begins: no memo is reported at all.
    EXPECT_EQ(0, harness.tool->SearchMemos(&target.request, "keyword"));
    EXPECT_EQ(1u, ResultTexts(results).size());
  }
}

}  // namespace
