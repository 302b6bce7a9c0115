#include <gtest/gtest.h>

#include <cstring>

#include "core/RecoveryRecord.h"

namespace {

RecoveryRecord Sample() {
  RecoveryRecord record;
  record.owner = "00000a2c0001f3a000000001";
  record.serial = 4294967295u;
  record.folder = u8"C:\\メモ\\";
  record.home = "D:\\";
  record.title = u8"😀café 한글";  // what code page 932 cannot spell
  record.encoding = MemoEncoding::Utf8Bom;
  record.baseExists = true;
  record.baseSize = 200000;
  record.baseLastWrite = 133000000000000000ull;
  record.baseChecksum = 0xfedcba9876543210ull;
  // Characters code page 932 lacks, a lone surrogate, a NUL and CR LF: the pane may hold any of them.
  record.text = u"Z\u00fcrich \u20ac5 \U0001F600 \xD800\r\n\u3042";
  record.text += u'\0';
  return record;
}

TEST(RecoveryRecord, KeepsEveryFieldAndRefusesAnythingButAWholeRecord) {
  for (const RecoveryRecord& original : {Sample(), RecoveryRecord()}) {
    std::string bytes = FormatRecoveryRecord(original);
    RecoveryRecord read;
    ASSERT_TRUE(ParseRecoveryRecord(bytes, read));
    EXPECT_EQ(original.owner, read.owner);
    EXPECT_EQ(original.serial, read.serial);
    EXPECT_EQ(original.folder, read.folder);
    EXPECT_EQ(original.home, read.home);
    EXPECT_EQ(original.title, read.title);
    EXPECT_EQ(original.encoding, read.encoding);
    EXPECT_EQ(original.baseExists, read.baseExists);
    EXPECT_EQ(original.baseSize, read.baseSize);
    EXPECT_EQ(original.baseLastWrite, read.baseLastWrite);
    EXPECT_EQ(original.baseChecksum, read.baseChecksum);
    EXPECT_TRUE(original.text == read.text);
    // A write cut short anywhere is no record.
    for (size_t length = 0; length < bytes.size(); ++length) EXPECT_FALSE(ParseRecoveryRecord(bytes.substr(0, length), read)) << length;
    EXPECT_FALSE(ParseRecoveryRecord(bytes + "x", read));
  }
  const std::string whole = FormatRecoveryRecord(Sample());
  const struct {
    const char* from;
    const char* to;
  } damages[] = {
      {"ScribbitRecovery 2", "ScribbitRecovery 3"},
      {"encoding 2", "encoding 5"},
      {"encoding 2", "encoding -1"},
      {"base 1 ", "base 2 "},
      {"serial 4294967295", "serial 4294967296"},
      {"serial 4294967295", "serial +1"},
      {"base 1 200000", "base 1 2e5"},
  };
  for (const auto& damage : damages) {
    std::string bytes = whole;
    size_t at = bytes.find(damage.from);
    ASSERT_NE(std::string::npos, at) << damage.from;
    bytes.replace(at, std::strlen(damage.from), damage.to);
    RecoveryRecord read;
    EXPECT_FALSE(ParseRecoveryRecord(bytes, read)) << damage.to;
  }
}

// Records of before hold the folder and title in code page 932.
TEST(RecoveryRecord, ReadsTheNamesOfRecordsOfBefore) {
  RecoveryRecord old = Sample(), read;
  old.folder = "C:\\\x83\x81\x83\x82\\";  // C:\メモ\ .
  old.title = "\x83\x5C\x95\x5C";         // ソ表
  std::string bytes = FormatRecoveryRecord(old);
  ASSERT_TRUE(ParseRecoveryRecord(bytes.replace(0, 18, "ScribbitRecovery 1"), read));
  EXPECT_EQ(u8"C:\\メモ\\", read.folder);
  EXPECT_EQ(u8"ソ表", read.title);
}

}  // namespace
