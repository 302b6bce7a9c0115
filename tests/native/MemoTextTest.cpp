#include <gtest/gtest.h>

#include "MemoText.h"

namespace {

std::u16string Edit(std::u16string text, size_t at, size_t erase, const std::u16string& insert) { return text.replace(at, erase, insert); }

TEST(MemoText, DecodesAndEncodesEveryEncodingExactly) {
  const struct {
    const char* name;
    std::string bytes;
    MemoEncoding encoding;
    std::u16string text;
  } cases[] = {
      {"CP932", "\x93\xfa\x96\x7b\x8c\xea\xb6\xc5\r\n", MemoEncoding::Cp932, u"日本語ｶﾅ\r\n"},
      {"UTF-8 with a BOM", "\xEF\xBB\xBF\xF0\x9F\x98\x80\xE2\x82\xAC\xED\x95\x9C\xC3\xBC", MemoEncoding::Utf8Bom,
       u"\U0001F600\u20AC\uD55C\u00FC"},
      {"UTF-8",
       "\xE6\x97\xA5\xE6\x9C\xAC \xC2\xB1"
       "5\xC2\xB0",
       MemoEncoding::Utf8, u"日本 ±5°"},
      {"UTF-16 LE", std::string("\xFF\xFE\x3D\xD8\x00\xDE\xA5\x00", 8), MemoEncoding::Utf16LeBom, u"\U0001F600\u00A5"},
      {"UTF-16 BE", std::string("\xFE\xFF\xD8\x3D\xDE\x00\x00\xA5", 8), MemoEncoding::Utf16BeBom, u"\U0001F600\u00A5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoText memo = DecodeMemoText(c.bytes.data(), c.bytes.size());
    EXPECT_EQ(c.encoding, memo.encoding);
    EXPECT_EQ(MemoVerdict::Editable, memo.verdict);
    EXPECT_TRUE(c.text == memo.text);
    ASSERT_EQ(memo.text.size() + 1, memo.offsets.size());
    EXPECT_EQ(c.bytes.size(), memo.offsets.back());
    std::string encoded;
    EXPECT_TRUE(EncodeMemoText(c.text.data(), c.text.size(), c.encoding, encoded));
    EXPECT_EQ(c.bytes, encoded);
  }
  // Bytes that are no character of their encoding are shown as 〓 and make the text read-only.
  MemoText broken = DecodeMemoText("a\x81\x20", 3);
  EXPECT_EQ(MemoVerdict::NotCp932Text, broken.verdict);
  EXPECT_TRUE(u"a〓 " == broken.text);
  EXPECT_EQ(MemoVerdict::Malformed, DecodeMemoText("\xFF\xFE\x00\xDC", 4).verdict);
}

TEST(MemoText, CodePage932NamesWhatItCannotHold) {
  std::string out;
  std::u16string missing;
  EXPECT_FALSE(EncodeMemoText(u"a\U0001F600b\u20AC\U0001F600\uD55Cc\u00FC\u00A5d\u20AC\u00E9", 13, MemoEncoding::Cp932, out, &missing));
  EXPECT_TRUE(u"\U0001F600\u20AC\uD55C\u00FC\u00A5" == missing) << "each once, the first five";
  // The forms other systems give the JIS characters Windows maps elsewhere.
  EXPECT_TRUE(EncodeMemoText(u"\u301C\uFF5E\u2212\u2016\u2014\u00A2\u00A3\u00AC", 8, MemoEncoding::Cp932, out, &missing));
  EXPECT_EQ("\x81\x60\x81\x60\x81\x7c\x81\x61\x81\x5c\x81\x91\x81\x92\x81\xca", out);
  EXPECT_TRUE(missing.empty());
}

// An edit re-encodes its own span only: the bytes of every other character
// stay as the file had them, even where the same text has other bytes.
TEST(MemoText, BytesNobodyTouchedStay) {
  const std::string necIbm = "\x87\x90\x87\x9A\xED\x40\xEE\xEF\xFA\x54\xFA\x4A\xF0\x40";
  const std::string utf8 = "\xEF\xBB\xBF\xE6\x97\xA5\xF0\x9F\x98\x80x";
  const struct {
    const char* name;
    std::string file;
    size_t at, erase;
    std::u16string insert;
    std::string expected;
  } cases[] = {
      {"CP932, at the end", necIbm, 7, 0, u"!", necIbm + "!"},
      {"CP932, at the start", necIbm, 0, 0, u"!", "!" + necIbm},
      {"CP932, in the middle", necIbm, 3, 1, u"ab", necIbm.substr(0, 6) + "ab" + necIbm.substr(8)},
      // An edit at both ends takes in every character between: they keep the file's bytes all the same.
      {"CP932, at both ends", necIbm, 0, 7, u"!" + DecodeMemoText(necIbm.data(), necIbm.size()).text + u"!", "!" + necIbm + "!"},
      {"UTF-8, at the start", utf8, 0, 0, u"!", "\xEF\xBB\xBF!" + utf8.substr(3)},
      {"UTF-8, after an emoji", utf8, 3, 0, u"\u00E9", utf8.substr(0, 10) + "\xC3\xA9x"},
      {"UTF-8, an emoji replaced", utf8, 1, 2, u"\u20AC", "\xEF\xBB\xBF\xE6\x97\xA5\xE2\x82\xACx"},
      {"UTF-8, the low half of an emoji typed again", utf8, 2, 1, std::u16string(1, u"\U0001F600"[1]), utf8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoText loaded = DecodeMemoText(c.file.data(), c.file.size());
    ASSERT_EQ(MemoVerdict::Editable, loaded.verdict);
    std::string out;
    EXPECT_TRUE(ReencodeEdited(c.file, loaded, Edit(loaded.text, c.at, c.erase, c.insert), out));
    EXPECT_EQ(c.expected, out);
  }
}

TEST(MemoText, ThePaneShowsWhatTheLineReaderWould) {
  const struct {
    std::u16string text;
    size_t limit;
    std::u16string shown;
    PaneLoss loss;
  } cases[] = {
      {u"abc", 3, u"abc", PaneLoss::None},
      {u"abcd", 3, u"abc", PaneLoss::Cut},
      {std::u16string(u"a\0b\nc", 5), 10, u"ac", PaneLoss::Nul},  // the line feed is hidden too
      {u"ab\U0001F600", 3, u"ab", PaneLoss::Cut},                 // a character cut in two is not kept
  };
  for (const auto& c : cases) {
    std::u16string text = c.text;
    EXPECT_EQ(c.loss, FitPaneText(text, c.limit));
    EXPECT_TRUE(c.shown == text);
  }
}

}  // namespace
