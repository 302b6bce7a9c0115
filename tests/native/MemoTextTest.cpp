#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "core/Cp932Unicode.h"
#include "Iconv.h"
#include "MemoFiles.h"
#include "core/MemoBytes.h"
#include "core/MemoText.h"
#include "Reference.h"

namespace {

const MemoEncoding Cp932 = MemoEncoding::Cp932, Utf8 = MemoEncoding::Utf8, Utf8Bom = MemoEncoding::Utf8Bom,
                   Utf16Le = MemoEncoding::Utf16LeBom, Utf16Be = MemoEncoding::Utf16BeBom;
const MemoVerdict Editable = MemoVerdict::Editable, NotCp932Text = MemoVerdict::NotCp932Text, Malformed = MemoVerdict::Malformed;

std::u16string Edit(std::u16string text, size_t at, size_t erase, const std::u16string& insert) { return text.replace(at, erase, insert); }

TEST(MemoText, DecodesAndEncodesEveryEncodingExactly) {
  const struct {
    const char* name;
    std::string bytes;
    MemoEncoding encoding;
    std::u16string text;
  } cases[] = {
      {"CP932", "\x93\xfa\x96\x7b\x8c\xea\xb6\xc5\r\n", Cp932, u"日本語ｶﾅ\r\n"},
      // Characters with several codes take the one Windows writes.
      {"CP932, several codes", "\x81\xE0\xFA\x40\x87\x54\x81\xCA\x81\xE6\xFA\x5C", Cp932, u"≒ⅰⅠ￢∵纊"},
      {"CP932, user-defined", "\xF0\x40\xF9\xFC", Cp932, u"\uE000\uE757"},
      {"UTF-8 with a BOM, empty", "\xEF\xBB\xBF", Utf8Bom, u""},
      {"UTF-8 with a BOM", "\xEF\xBB\xBF\xF0\x9F\x98\x80\xE2\x82\xAC\xED\x95\x9C\xC3\xBC", Utf8Bom, u"\U0001F600\u20AC\uD55C\u00FC"},
      {"UTF-8",
       "\xE6\x97\xA5\xE6\x9C\xAC \xC2\xB1"
       "5\xC2\xB0",
       Utf8, u"日本 ±5°"},
      {"UTF-16 LE", std::string("\xFF\xFE\x3D\xD8\x00\xDE\xA5\x00", 8), Utf16Le, u"\U0001F600\u00A5"},
      {"UTF-16 BE", std::string("\xFE\xFF\xD8\x3D\xDE\x00\x00\xA5", 8), Utf16Be, u"\U0001F600\u00A5"},
      {"UTF-16 BE, a NUL", std::string("\xFE\xFF\x30\x42\x00\x61\x00\x00", 8), Utf16Be, std::u16string(u"あa\0", 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoText memo = DecodeMemoText(c.bytes.data(), c.bytes.size());
    EXPECT_EQ(c.encoding, memo.encoding);
    EXPECT_EQ(Editable, memo.verdict);
    EXPECT_TRUE(c.text == memo.text);
    ASSERT_EQ(memo.text.size() + 1, memo.offsets.size());
    EXPECT_EQ(c.bytes.size(), memo.offsets.back());
    std::string encoded;
    EXPECT_TRUE(EncodeMemoText(c.text.data(), c.text.size(), c.encoding, encoded));
    EXPECT_EQ(c.bytes, encoded);
  }
}

// Bytes that are no character of their encoding show as 〓 and make the text
// read-only; NEC and IBM codes are characters like any other.
TEST(MemoText, DecodesWithVerdict) {
  using namespace std::string_literals;
  const struct {
    std::string file;
    MemoEncoding encoding;
    MemoVerdict verdict;
    std::u16string text;
  } cases[] = {
      {"\x87\x90\xEE\xEF\xFA\x40\xED\x40\xFA\x5C", Cp932, Editable, u"≒ⅰⅰ纊纊"},
      {"a\x80\xA0\xFD\xFE\xFF", Cp932, NotCp932Text, u"a〓〓〓〓〓"},
      {"a\x81\x20", Cp932, NotCp932Text, u"a〓 "},  // the lead byte alone stands as 〓
      {"\x83\r\n", Cp932, NotCp932Text, u"〓\r\n"},
      {"\x83\0"s, Cp932, NotCp932Text, u"〓\0"s},
      {"abc\x83", Cp932, NotCp932Text, u"abc〓"},
      {"\x85\x40\xFC\x4C", Cp932, NotCp932Text, u"〓@〓L"},  // unassigned
      {WithUtf8Bom("a\x80"), Utf8Bom, Malformed, u"a〓"},
      {WithUtf8Bom(u8"あ\xE3\x81"), Utf8Bom, Malformed, u"あ〓"},
      {WithUtf8Bom(u8"😀\xC0\xAF"), Utf8Bom, Malformed, u"\U0001F600〓〓"},
      {Utf16File({u'a', 0xD800, u'b'}, false), Utf16Le, Malformed, u"a〓b"},
      {Utf16File({u'a', 0xDC00}, true), Utf16Be, Malformed, u"a〓"},
      {Utf16File({0xD83D}, true), Utf16Be, Malformed, u"〓"},
      {Utf16File(u"AB", false) + "C", Utf16Le, Malformed, u"AB〓"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.file));
    MemoText memo = DecodeMemoText(c.file.data(), c.file.size());
    EXPECT_EQ(c.encoding, memo.encoding);
    EXPECT_EQ(c.verdict, memo.verdict);
    EXPECT_TRUE(c.text == memo.text);
    ASSERT_EQ(memo.text.size() + 1, memo.offsets.size());
    EXPECT_EQ(c.file.size(), memo.offsets.back());
  }
}

TEST(MemoText, EveryCharacterWithCp932FormRoundTrips) {
  // Each character once, in lines of 64.
  std::u16string text;
  std::string cp932;
  int inLine = 0;
  for (char32_t c = 1; c < 0x10000; ++c) {
    char form[2];
    size_t formLen = EncodeCp932Char(c, form);
    if (formLen == 0) continue;
    text += static_cast<char16_t>(c);
    cp932.append(form, formLen);
    if (++inLine == 64) {
      text += u"\r\n";
      cp932 += "\r\n";
      inLine = 0;
    }
  }
  std::string utf8;
  ASSERT_TRUE(Iconv("UTF-8", "UTF-16LE").Convert(Utf16File(text, false).substr(2), utf8));
  const struct {
    std::string file;
    MemoEncoding encoding;
  } files[] = {
      {cp932, Cp932}, {utf8, Utf8}, {WithUtf8Bom(utf8), Utf8Bom}, {Utf16File(text, false), Utf16Le}, {Utf16File(text, true), Utf16Be}};
  for (const auto& f : files) {
    SCOPED_TRACE(static_cast<int>(f.encoding));
    MemoText memo = DecodeMemoText(f.file.data(), f.file.size());
    EXPECT_EQ(f.encoding, memo.encoding);
    EXPECT_EQ(Editable, memo.verdict);
    EXPECT_TRUE(memo.text == text);
    std::string saved;
    EXPECT_TRUE(EncodeMemoText(text.data(), text.size(), f.encoding, saved));
    EXPECT_TRUE(saved == f.file);
  }
}

TEST(MemoText, EditableMemosEncodeBackToTheirBytes) {
  std::mt19937 rng(3);
  int editable = 0;
  for (int round = 0; round < 4000; ++round) {
    std::string file = RandomMemoFile(rng, rng() % 60);
    MemoText memo = DecodeMemoText(file.data(), file.size());
    if (memo.verdict != Editable) continue;
    ++editable;
    std::string saved;
    EXPECT_TRUE(EncodeMemoText(memo.text.data(), memo.text.size(), memo.encoding, saved));
    EXPECT_EQ(file, saved) << testing::PrintToString(file);
  }
  EXPECT_GT(editable, 500);
}

TEST(MemoText, CodePage932NamesWhatItCannotHold) {
  std::string out;
  std::u16string missing;
  EXPECT_FALSE(EncodeMemoText(u"a\U0001F600b\u20AC\U0001F600\uD55Cc\u00FC\u00A5d\u20AC\u00E9", 13, Cp932, out, &missing));
  EXPECT_TRUE(u"\U0001F600\u20AC\uD55C\u00FC\u00A5" == missing) << "each once, the first five";
  // The forms other systems give the JIS characters Windows maps elsewhere.
  EXPECT_TRUE(EncodeMemoText(u"\u301C\uFF5E\u2212\u2016\u2014\u00A2\u00A3\u00AC", 8, Cp932, out, &missing));
  EXPECT_EQ("\x81\x60\x81\x60\x81\x7c\x81\x61\x81\x5c\x81\x91\x81\x92\x81\xca", out);
  EXPECT_TRUE(missing.empty());
}

// A lone half of a surrogate pair, as an edit may leave one: UTF-8 writes
// U+FFFD, UTF-16 the unit as it is, and code page 932 has no form for it.
TEST(MemoText, EncodesALoneSurrogateAsEachEncodingCan) {
  const std::u16string text = {u'a', 0xD83D, u'b'};
  std::string out;
  std::u16string missing;
  EXPECT_TRUE(EncodeMemoText(text.data(), text.size(), Utf8, out));
  EXPECT_EQ(
      "a\xEF\xBF\xBD"
      "b",
      out);
  EXPECT_TRUE(EncodeMemoText(text.data(), text.size(), Utf16Le, out));
  EXPECT_EQ(Utf16File(text, false), out);
  EXPECT_FALSE(EncodeMemoText(text.data(), text.size(), Cp932, out, &missing));
  EXPECT_TRUE(text.substr(1, 1) == missing);
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
      // Both emoji start with the same high half: the edit starts at the pair, not inside it.
      {"UTF-8, an emoji typed before an emoji", utf8, 1, 0, u"\U0001F44D", utf8.substr(0, 6) + "\xF0\x9F\x91\x8D" + utf8.substr(6)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoText loaded = DecodeMemoText(c.file.data(), c.file.size());
    ASSERT_EQ(MemoVerdict::Editable, loaded.verdict);
    std::string out;
    EditedSpan span;
    EXPECT_TRUE(ReencodeEdited(c.file, loaded, Edit(loaded.text, c.at, c.erase, c.insert), out, nullptr, &span));
    EXPECT_EQ(c.expected, out);
    // The new file's decoding, from the edit alone, is the whole file's.
    MemoText whole = DecodeMemoText(out.data(), out.size()), edited = loaded;
    DecodeEdit(edited, out, span);
    EXPECT_EQ(whole.text, edited.text);
    EXPECT_EQ(whole.offsets, edited.offsets);
    EXPECT_EQ(whole.encoding, edited.encoding);
    EXPECT_EQ(whole.verdict, edited.verdict);
    // A form the edit removed is remembered still: typed again, it is written the file's way.
    for (const auto& form : whole.fileForms)
      EXPECT_NE(edited.fileForms.end(), std::find(edited.fileForms.begin(), edited.fileForms.end(), form));
  }
}

// The bytes of every write of a memo, a save, a copy beside it or a
// restore: the memo's own encoding, untouched bytes kept, and a mark where
// UTF-8 would read back as code page 932.
TEST(MemoText, OneRuleChoosesTheBytesOfEveryWrite) {
  const std::string nec = "\xEE\xEF", utf8 = "\xE6\x97\xA5\xE6\x9C\xAC";
  const struct {
    const char* name;
    const std::string* base;  // the file the text was edited from, if any
    MemoEncoding encoding;
    std::u16string text;
    bool fits;
    std::string bytes;
    MemoEncoding written;
    std::string copy;  // the bytes of a copy of the text
  } cases[] = {
      {"UTF-8 that would read as code page 932 gets its mark", &utf8, Utf8, u"Ӽ", true, "\xEF\xBB\xBF\xD3\xBC", Utf8Bom,
       "\xEF\xBB\xBF\xD3\xBC"},
      {"UTF-8 that reads as UTF-8 gets none", &utf8, Utf8, u"日本語", true, utf8 + "\xE8\xAA\x9E", Utf8, utf8 + "\xE8\xAA\x9E"},
      {"ASCII alone reads alike either way", &utf8, Utf8, u"abc", true, "abc", Utf8, "abc"},
      {"code page 932 keeps the file's own codes", &nec, Cp932, DecodeMemoText(nec.data(), 2).text + u"!", true, nec + "!", Cp932,
       nec + "!"},
      {"a file of another encoding keeps nothing", &nec, Utf8Bom, u"ⅰ", true, "\xEF\xBB\xBF\xE2\x85\xB0", Utf8Bom,
       "\xEF\xBB\xBF\xE2\x85\xB0"},
      {"with no file, encoded whole", nullptr, Cp932, u"ⅰ≒", true, "\xFA\x40\x81\xE0", Cp932, "\xFA\x40\x81\xE0"},
      {"code page 932 cannot hold the euro", nullptr, Cp932, u"100€", false, "", Cp932,
       "\xEF\xBB\xBF"
       "100\xE2\x82\xAC"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoText loaded;
    if (c.base) loaded = DecodeMemoText(c.base->data(), c.base->size());
    std::unique_ptr<MemoFileImage> image(c.base ? new MemoFileImage{*c.base, loaded} : nullptr);
    MemoEncoding encoding = c.encoding;
    std::string bytes;
    std::u16string missing;
    EXPECT_EQ(c.fits, MemoBytesFor(c.text, encoding, image.get(), bytes, &missing));
    if (c.fits) {
      EXPECT_EQ(c.bytes, bytes);
      EXPECT_EQ(c.written, encoding);
    } else {
      EXPECT_EQ(std::u16string(1, 0x20AC), missing);
    }
    EXPECT_EQ(c.copy, MemoCopyBytes(c.text, c.encoding, image.get()));
  }
}

// A memo that was UTF-8 all along but read as code page 932 shows mojibake;
// a character code page 932 lacks, typed into it, converts it to UTF-8. The
// file's bytes, not the pane's misreading, carry its text over.
TEST(MemoText, AConversionKeepsWhatAMisreadFileMeant) {
  const std::string ye = "\xD0\xB5", bom = "\xEF\xBB\xBF", e = "\xC3\xA9";
  const struct {
    const char* name;
    std::string file;
    size_t at, erase;  // in the units of the file read as code page 932
    std::u16string insert;
    std::string expected;
  } cases[] = {
      {"typed at the end", ye + " " + ye, 5, 0, u"é", bom + ye + " " + ye + e},
      {"typed inside a character: after it", ye + " " + ye, 1, 0, u"é", bom + ye + e + " " + ye},
      {"half a character deleted: all of it", ye + " " + ye, 1, 1, u"€", bom + "\xE2\x82\xAC " + ye},
      {"not UTF-8: the pane was right", "\x82\xA0", 1, 0, u"é", bom + "\xE3\x81\x82" + e},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoText loaded = DecodeMemoTextAs(c.file.data(), c.file.size(), Cp932);
    MemoFileImage image{c.file, loaded};
    EXPECT_EQ(c.expected, Utf8BytesFor(Edit(loaded.text, c.at, c.erase, c.insert), &image));
  }
  // Lines of other scripts that code page 932 reads without a fault: each keeps every character.
  for (std::string line : {u8"Жx е е", u8"ščepec je Žaba", u8"ספר בית", u8"روز شب یک", u8"Ελλάδα", u8"ĉu ĝi"}) {
    SCOPED_TRACE(line);
    MemoText loaded = DecodeMemoTextAs(line.data(), line.size(), Cp932);
    MemoFileImage image{line, loaded};
    ASSERT_EQ(Editable, loaded.verdict);
    std::string out = Utf8BytesFor(loaded.text + u"é", &image);
    EXPECT_EQ(bom + line + e, out);
    EXPECT_EQ(Utf8Bom, DecodeMemoText(out.data(), out.size()).encoding);
  }
}

TEST(MemoText, ThePaneShowsWhatTheLineReaderWould) {
  const std::u16string full(TextPaneLimit, u'x');
  const std::u16string longLine = std::u16string(199999, u'y') + std::u16string(u"\0z\r\n", 4);
  // Pieces are counted in bytes of code page 932: this NUL ends the first, and z is in the next.
  const std::u16string wideLine = std::u16string(99999, u'あ') + std::u16string(u"\0z", 2);
  const struct {
    std::u16string text;
    size_t limit;
    std::u16string shown;
    PaneLoss loss;
  } cases[] = {
      {u"", 3, u"", PaneLoss::None},
      {u"abc", 3, u"abc", PaneLoss::None},
      {u"abcd", 3, u"abc", PaneLoss::Cut},
      {u"ｱﾝﾟ", 3, u"ｱﾝﾟ", PaneLoss::None},
      {u"あい", 3, u"あ", PaneLoss::Cut},
      {std::u16string(u"a\0b\nc", 5), 10, u"ac", PaneLoss::Nul},  // the line feed is hidden too
      {u"ab\U0001F600", 3, u"ab", PaneLoss::Cut},                 // a character cut in two is not kept
      {full, TextPaneLimit, full, PaneLoss::None},
      {full + u"x", TextPaneLimit, full, PaneLoss::Cut},
      {longLine, TextPaneLimit, std::u16string(199999, u'y'), PaneLoss::Nul},
      {wideLine, TextPaneLimit, std::u16string(99999, u'あ') + u"z", PaneLoss::Nul},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.size());
    std::u16string text = c.text;
    EXPECT_EQ(c.loss, FitPaneText(text, c.limit));
    EXPECT_TRUE(c.shown == text);
  }
}

TEST(MemoText, APasteIsCutToTheWholeCharactersThatFit) {
  const struct {
    const char16_t* text;
    size_t budget;
    size_t units;
  } cases[] = {
      {u"abc", 2, 2},         {u"\u3042\u3044", 3, 1}, {u"\uFF71\u3042", 2, 1}, {u"a\U0001F600", 2, 1},
      {u"a\U0001F600", 3, 3}, {u"a\r\nb", 2, 1},       {u"a\r\nb", 3, 3},       {u"ab", 5, 2},
  };
  for (const auto& c : cases) {
    const std::u16string text = c.text;
    EXPECT_EQ(c.units, FittingUnits(text.data(), text.size(), c.budget)) << c.budget << " " << text.size();
  }
}

TEST(MemoText, ThePaneAgreesWithTheLineReaderOnRandomTexts) {
  std::mt19937 random(7);
  const std::u16string pieces[] = {u"a", u"\r", u"\n", std::u16string(1, u'\0'), u"ｱ", u"ﾟ", u"あ", u"\U0001F600"};
  for (int round = 0; round < 300; ++round) {
    std::u16string text, expected;
    for (size_t n = random() % 1000; n > 0; --n) text += pieces[random() % 8];
    size_t limit = random() % 2000;
    PaneLoss loss = RefPaneText(text, limit, expected);
    ASSERT_EQ(loss, FitPaneText(text, limit)) << "round " << round;
    ASSERT_TRUE(expected == text) << "round " << round;
  }
}

}  // namespace
