// Names code page 932 cannot spell, through the store with no panel: each is
// listed, read, written, renamed, moved, trashed and searched as itself, and
// never taken for the name it looks like.
#include <gtest/gtest.h>

#include <algorithm>

#include "TempFolder.h"
#include "components/serchfiles/SerchFiles.h"
#include "store/MemoFile.h"
#include "store/MemoListing.h"

namespace {

std::vector<std::string> Listed(const std::string& folder) {
  std::vector<std::string> names;
  ForEachMemoFile(PlatformMemoFileOps(), (folder + "\\").c_str(),
                  [&](const char* name, MemoFileType, const ListedStamp&) { names.push_back(name); });
  return names;
}

TEST(MemoNames, EachNameIsItselfInEveryOperation) {
  // Each beside its look-alike, which must never be touched.
  const struct {
    const char* name;
    const char* twin;
  } cases[] = {{u8"café", "cafe"}, {u8"😀メモ", u8"メモ"}, {u8"한글", u8"한"}, {u8"naïve", "naive"}};
  MemoFileOps& ops = PlatformMemoFileOps();
  for (const auto& c : cases) {
    TempFolder folder, other;
    std::string name = std::string(c.name) + ".txt", twin = std::string(c.twin) + ".txt";
    std::string path = folder.Path() + "\\" + name, twinPath = folder.Path() + "\\" + twin;
    MemoFileStamp stamp;
    ASSERT_TRUE(CreateMemoFile(ops, twinPath.c_str(), "twin", stamp)) << c.twin;
    ASSERT_TRUE(CreateMemoFile(ops, path.c_str(), "own", stamp)) << c.name;
    std::vector<std::string> listed = Listed(folder.Path());
    EXPECT_EQ(2u, listed.size()) << c.name;
    EXPECT_EQ(1, std::count(listed.begin(), listed.end(), name)) << c.name;
    CSerchFiles search(ops, (folder.Path() + "\\").c_str(), 0);
    EXPECT_EQ(2, search.gFc_GetListFiles()->GetSize()) << c.name;

    std::string bytes;
    ASSERT_EQ(MemoLoadResult::Loaded, LoadMemoFile(ops, path.c_str(), bytes, stamp)) << c.name;
    EXPECT_EQ("own", bytes);
    ASSERT_TRUE(SaveMemoFile(ops, path.c_str(), "edited", stamp)) << c.name;
    std::string renamed = folder.Path() + "\\" + c.name + "2.txt", moved = other.Path() + "\\" + name;
    ASSERT_TRUE(RenameMemoFile(ops, path.c_str(), renamed.c_str())) << c.name;
    ASSERT_TRUE(RenameMemoFile(ops, renamed.c_str(), moved.c_str())) << c.name;
    ASSERT_EQ(MemoLoadResult::Loaded, LoadMemoFile(ops, moved.c_str(), bytes, stamp)) << c.name;
    EXPECT_EQ("edited", bytes);
    // Wine's bin takes only names code page 932 spells; what it cannot take
    // stays for a delete for good.
    TrashResult trashed = TrashMemoFile(ops, moved.c_str());
    ASSERT_NE(TrashResult::Failed, trashed) << c.name;
    EXPECT_EQ(trashed == TrashResult::NotTrashable, MemoFileExists(ops, moved.c_str())) << c.name;
    EXPECT_TRUE(trashed == TrashResult::Trashed || DeleteMemoFile(ops, moved.c_str())) << c.name;
    EXPECT_EQ(std::vector<std::string>(), Listed(other.Path())) << c.name;

    // The twin kept its bytes through all of it; a missing name reads as missing.
    ASSERT_EQ(MemoLoadResult::Loaded, LoadMemoFile(ops, twinPath.c_str(), bytes, stamp)) << c.twin;
    EXPECT_EQ("twin", bytes);
    EXPECT_EQ(MemoLoadResult::Missing, LoadMemoFile(ops, path.c_str(), bytes, stamp)) << c.name;
    EXPECT_EQ(std::vector<std::string>{twin}, Listed(folder.Path())) << c.name;
  }
}

}  // namespace
