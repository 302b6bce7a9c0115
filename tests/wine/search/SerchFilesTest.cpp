// The file-list engine: which files of a folder it lists.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "components/serchfiles/SerchFiles.h"
#include "TempFolder.h"

namespace {

std::vector<std::string> Listed(const std::string& folderPath) {
  CSerchFiles engine(PlatformMemoFileOps(), folderPath.c_str(), 0);
  const CStringArray* files = engine.gFc_GetListFiles();
  std::vector<std::string> names;
  for (int i = 0; i < files->GetSize(); ++i) names.push_back(files->GetAt(i).GetString());
  return names;
}

TEST(SerchFiles, ListsTheMemoFilesDirectlyInTheFolderTextFirst) {
  TempFolder folder;
  ::CreateDirectoryA((folder / "sub").c_str(), NULL);
  ::CreateDirectoryA((folder / "dir.txt").c_str(), NULL);
  for (const char* name : {"b.txt", "a.html", "C.TXT", "d.htm", "e.doc", "f.txt.bak", "sub\\g.txt"}) WriteFileBytes(folder / name, "x");

  std::vector<std::string> names = Listed(folder.Path() + "\\");
  ASSERT_EQ(4u, names.size());
  std::sort(names.begin(), names.begin() + 2);
  std::sort(names.begin() + 2, names.end());
  EXPECT_EQ((std::vector<std::string>{"C.TXT", "b.txt", "a.html", "d.htm"}), names);
}

TEST(SerchFiles, MissingFolderGivesAnEmptyList) {
  TempFolder folder;
  EXPECT_TRUE(Listed(folder.Path() + "\\missing\\").empty());
}

}  // namespace
