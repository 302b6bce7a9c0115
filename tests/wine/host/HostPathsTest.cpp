// The stand-in host's paths: Windows paths pass as they are, Unix paths
// become the Windows path Wine shows the same file under.
#include <gtest/gtest.h>
#include <windows.h>

#include "HostPaths.h"
#include "TempFolder.h"
#include "WineNames.h"

namespace {

TEST(HostPaths, WindowsPathsPassUnchanged) {
  const char* const paths[] = {"C:\\メモ\\JotbookHost.ini", "JotbookData", "..\\data\\JotbookHost.ini", "\\\\server\\share\\memo", ""};
  for (const char* path : paths) EXPECT_EQ(path, WindowsPath(path));
}

TEST(HostPaths, UnixPathsOutsideTheDrivesComeThroughDriveZ) {
  const struct {
    const char* unix;
    const char* windows;
  } cases[] = {
      {"/", "Z:\\"},
      {"/tmp/scribbit-absent/JotbookHost.ini", "Z:\\tmp\\scribbit-absent\\JotbookHost.ini"},
      {"/tmp/スクリビット/メモ帳", "Z:\\tmp\\スクリビット\\メモ帳"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.windows, WindowsPath(c.unix)) << c.unix;
}

TEST(HostPaths, UnixNameOfAFolderLeadsBackToIt) {
  TempFolder folder;
  std::string japanese = folder / "データ";
  ASSERT_TRUE(::CreateDirectoryA(japanese.c_str(), NULL));
  for (const std::string& path : {folder.Path(), japanese}) {
    std::string unixName = UnixName(path);
    ASSERT_EQ('/', unixName[0]) << path;
    EXPECT_EQ(0, lstrcmpiA(path.c_str(), WindowsPath(unixName).c_str())) << unixName;
  }
}

}  // namespace
