#include <gtest/gtest.h>

#include <climits>

#include "core/Positions.h"
#include "core/SettingKeys.h"

TEST(Settings, FolderKeysByNumber) {
  for (int n = 1; n <= 5; ++n) {
    EXPECT_EQ("ScribbitFolderPath" + std::to_string(n), FolderPathKey(n));
    EXPECT_EQ("ScribbitFolderName" + std::to_string(n), FolderNameKey(n));
  }
  for (int n : {0, 6}) {
    EXPECT_EQ(nullptr, FolderPathKey(n));
    EXPECT_EQ(nullptr, FolderNameKey(n));
  }
  EXPECT_STREQ("ScribbitStamp", SettingKeys[StampKey]);
  EXPECT_STREQ(" ", SettingKeys[BlankKey]);
}

TEST(Settings, PositionsAsDecimalText) {
  struct Case {
    const char* text;
    int value;
  } reads[] = {{" -40", -40}, {"abc", 0}, {"", 0}, {"+7", 7}, {"12px", 12}, {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}},
    writes[] = {{"-8", -8}, {"0", 0}, {"1024", 1024}, {"-2147483648", INT_MIN}};
  for (const Case& c : reads) EXPECT_EQ(c.value, ReadPosition(c.text)) << c.text;
  for (const Case& c : writes) {
    char out[12];
    FormatPosition(c.value, out);
    EXPECT_STREQ(c.text, out);
  }
}

// An empty stored path means the folder is unset; any other gets exactly one
// backslash at its end.
TEST(Settings, AFolderPathFromItsStoredValue) {
  const struct {
    std::string stored;
    bool set;
    std::string path;
  } cases[] = {
      {"", false, ""},
      {"C:\\memo", true, "C:\\memo\\"},
      {"C:\\memo\\", true, "C:\\memo\\"},
      {u8"C:\\ソ", true, u8"C:\\ソ\\"},
      {"C:\\" + std::string(255, 'a'), true, "C:\\" + std::string(255, 'a') + "\\"},
      {"C:\\" + std::string(256, 'a'), false, ""},
  };
  for (const auto& c : cases) {
    std::string path = "stale";
    EXPECT_EQ(c.set, SetFolderPath(c.stored.c_str(), path)) << c.stored;
    EXPECT_EQ(c.path, path);
    EXPECT_EQ(!c.stored.empty(), IsFolderSet(c.stored.c_str()));
  }
  EXPECT_EQ("C:\\data\\Scribbit", OwnFolderPath("C:\\data"));
}
