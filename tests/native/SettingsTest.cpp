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
