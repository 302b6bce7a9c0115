// The version resource of Scribbit.dll, read as file properties read it,
// against the CMake project's version.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ToolHarness.h"

namespace {

class VersionInfo : public ::testing::Test {
protected:
  void SetUp() override {
    char path[MAX_PATH];
    ASSERT_TRUE(::GetModuleFileNameA(ToolHarness::Library(), path, sizeof(path)));
    DWORD size = ::GetFileVersionInfoSizeA(path, NULL);
    ASSERT_GT(size, 0u);
    block.resize(size);
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, size, block.data()));
  }

  // A value of the block, or nullptr.
  const void* Value(const std::string& subBlock) {
    void* value = nullptr;
    UINT length = 0;
    return ::VerQueryValueA(block.data(), subBlock.c_str(), &value, &length) && length ? value : nullptr;
  }

  std::vector<char> block;
};

// The project's version as CMake has it ("1.200"), with the parts it leaves out as 0.
void ProjectVersion(WORD parts[3]) {
  int major = 0, minor = 0, patch = 0;
  sscanf(SCRIBBIT_PROJECT_VERSION, "%d.%d.%d", &major, &minor, &patch);
  parts[0] = static_cast<WORD>(major);
  parts[1] = static_cast<WORD>(minor);
  parts[2] = static_cast<WORD>(patch);
}

TEST_F(VersionInfo, FileAndProductVersionAreTheProjectVersion) {
  WORD version[3];
  ProjectVersion(version);
  const VS_FIXEDFILEINFO* fixed = static_cast<const VS_FIXEDFILEINFO*>(Value("\\"));
  ASSERT_TRUE(fixed);
  EXPECT_EQ(VS_FFI_SIGNATURE, fixed->dwSignature);
  EXPECT_EQ(MAKELONG(version[1], version[0]), fixed->dwFileVersionMS);
  EXPECT_EQ(MAKELONG(0, version[2]), fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
  EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
  EXPECT_EQ(static_cast<DWORD>(VFT_DLL), fixed->dwFileType);
}

TEST_F(VersionInfo, JapaneseStringsNameTheToolAndItsVersion) {
  const WORD* translation = static_cast<const WORD*>(Value("\\VarFileInfo\\Translation"));
  ASSERT_TRUE(translation);
  EXPECT_EQ(0x0411, translation[0]);
  EXPECT_EQ(932, translation[1]);

  WORD version[3];
  ProjectVersion(version);
  char versionText[32];
  snprintf(versionText, sizeof(versionText), "%u.%u.%u", version[0], version[1], version[2]);
  const struct {
    const char* name;
    std::string text;
  } expected[] = {
      {"FileDescription", "スクリビット メモツール"},
      {"ProductName", "Scribbit"},
      {"OriginalFilename", "Scribbit.dll"},
      {"InternalName", "Scribbit"},
      // As LICENSE says.
      {"CompanyName", "Scribbit developers"},
      {"LegalCopyright", "Copyright (c) 2026 Scribbit developers"},
      {"FileVersion", versionText},
      {"ProductVersion", versionText},
  };
  char prefix[40];
  snprintf(prefix, sizeof(prefix), "\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
  for (const auto& e : expected) {
    const char* text = static_cast<const char*>(Value(prefix + std::string(e.name)));
    EXPECT_EQ(e.text, text ? text : "(none)") << e.name;
  }
}

}  // namespace
