#include <gtest/gtest.h>

#include <cstring>

#include "core/MemoPaths.h"

TEST(MemoPaths, FormsPathsWithinBuffer) {
  struct Case {
    const char* folder;
    const char* title;  // nullptr: form the folder path from folder alone
    size_t outSize;
    const char* result;  // nullptr: does not fit
  } cases[] = {
      {"C:\\memo", nullptr, 260, "C:\\memo\\"},
      {"C:\\memo\\", nullptr, 260, "C:\\memo\\"},
      {"", nullptr, 260, "\\"},
      {u8"C:\\ソ", nullptr, 260, u8"C:\\ソ\\"},
      {u8"C:\\😀\\", nullptr, 260, u8"C:\\😀\\"},
      {"abc", nullptr, 5, "abc\\"},
      {"abc", nullptr, 4, nullptr},
      {"abc\\", nullptr, 4, nullptr},
      {"", nullptr, 1, nullptr},
      {"", nullptr, 0, nullptr},
      {"C:\\m\\", "title", 15, "C:\\m\\title.txt"},
      {"C:\\m\\", "title", 14, nullptr},
  };
  for (const Case& c : cases) {
    char buf[300];
    std::memset(buf, '#', sizeof buf);
    bool ok = c.title ? FormMemoFilePath(c.folder, c.title, ".txt", buf, c.outSize) : FormMemoFolderPath(c.folder, buf, c.outSize);
    EXPECT_EQ(c.result != nullptr, ok) << c.folder;
    EXPECT_STREQ(c.result ? c.result : "", c.outSize ? buf : "") << c.folder;
    size_t spare = sizeof buf - c.outSize;
    EXPECT_EQ(std::string(spare, '#'), std::string(buf + c.outSize, spare)) << "wrote past outSize for " << c.folder;
  }
  // Windows counts a path in UTF-16 units: 86 kana of 3 bytes each fit, 253
  // letters beside "C:\" and ".txt" make 260 units and do not.
  std::string kana;
  for (int i = 0; i < 86; ++i) kana += u8"あ";
  char buf[MemoPathSize];
  EXPECT_TRUE(FormMemoFilePath("C:\\", kana.c_str(), ".txt", buf, sizeof buf));
  EXPECT_FALSE(FormMemoFilePath("C:\\", std::string(253, 'a').c_str(), ".txt", buf, sizeof buf));
}
