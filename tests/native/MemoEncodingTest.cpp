#include <gtest/gtest.h>

#include "BomlessDetector.h"
#include "Cp932Unicode.h"
#include "Iconv.h"
#include "MemoEncoding.h"
#include "MemoFiles.h"
#include "Reference.h"

using namespace std::string_literals;

namespace {

const MemoEncoding Cp932 = MemoEncoding::Cp932, Utf8 = MemoEncoding::Utf8, Utf8Bom = MemoEncoding::Utf8Bom,
                   Utf16Le = MemoEncoding::Utf16LeBom, Utf16Be = MemoEncoding::Utf16BeBom;
const MemoVerdict Editable = MemoVerdict::Editable, NoCp932Form = MemoVerdict::NoCp932Form, NotCp932Text = MemoVerdict::NotCp932Text,
                  Malformed = MemoVerdict::Malformed;

}  // namespace

TEST(MemoEncoding, TellsUtf8WithoutBomFromCp932) {
  struct Case {
    std::string file;
    MemoEncoding encoding;
  } cases[] = {
      {"", Cp932},
      {"plain ASCII\r\n", Cp932},
      {"ファイル", Cp932},
      {u8"ファイル", Utf8},  // CP932 text too, but kana lie above U+0800
      {u8"メモ\r\n東京\r\n", Utf8},
      {u8"😀", Utf8},
      // Bytes that are CP932 text and UTF-8 below U+0800 go by their words.
      {"ﾗｲ", Cp932},     // D7 B2, a Hebrew letter
      {"ﾓｼ", Cp932},     // D3 BC, a lone Cyrillic letter
      {"ﾏｲﾅｰ", Cp932},   // CF B2 C5 B0, Greek and Latin in one word
      {"ﾃｽﾄ用", Cp932},  // C3 BD C4 97 70, "ýėp": the p is 用's second byte
      {"ﾃｽ ﾗｲ", Cp932},  // "ý" weighs less than the Hebrew letter
      {u8"café", Utf8},
      {u8"Dvořák", Utf8},
      {u8"naïve ﾗｲ", Utf8},
      {u8"© 2024", Utf8},
      {u8"3°C", Utf8},
      {"ﾃｽ", Utf8},  // "ý": a lone Latin-1 letter is UTF-8 far more often
      {u8"на", Utf8},
      {u8"Ελληνικά", Utf8},
      // Bytes that are no CP932 text are UTF-8 whatever their words.
      {u8"à", Utf8},        // C3 A0
      {u8"Ā", Utf8},        // C4 80
      {u8"ß", Utf8},        // C3 9F, a lead byte at the end
      {"\xE3\x81", Cp932},  // cut short
      {"\xC0\xAF", Cp932},  // overlong
      {"\xE0\x9F\xBF", Cp932},
      {"\xF0\x8F\xBF\xBF", Cp932},
      {"\xED\xA0\x80", Cp932},      // a surrogate
      {"\xF4\x90\x80\x80", Cp932},  // above U+10FFFF
      {u8"メモ\xFF", Cp932},
      {WithUtf8Bom(""), Utf8Bom},
      {WithUtf8Bom("ファイル"), Utf8Bom},  // a BOM decides
      {"\xFF\xFE", Utf16Le},
      {"\xFE\xFF", Utf16Be},
      {"\xEF\xBB", Cp932},
      {"\xFF", Cp932},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.file));
    EXPECT_EQ(c.encoding, DetectMemoEncoding(c.file.data(), c.file.size()));
    if (c.encoding == Cp932 || c.encoding == Utf8) {
      // ASCII before it moves the bytes across the validator's blocks; no
      // letter, which would join the first word.
      for (size_t shift = 1; shift < 40; shift += 7) {
        std::string file = std::string(shift, '-') + c.file;
        EXPECT_EQ(c.encoding, DetectMemoEncoding(file.data(), file.size())) << shift;
      }
    }
  }
}

TEST(MemoEncoding, DecodesToPaneTextWithVerdict) {
  struct Case {
    std::string file;
    MemoEncoding encoding;
    MemoVerdict verdict;
    std::string pane;
  } cases[] = {
      {"メモ\r\n", Cp932, Editable, "メモ\r\n"},
      // NEC and IBM codes the pane turns into another code of the same
      // character: ≒ ⅰ ⅰ 纊 纊.
      {"\x87\x90\xEE\xEF\xFA\x40\xED\x40\xFA\x5C", Cp932, Editable, "\x87\x90\xEE\xEF\xFA\x40\xED\x40\xFA\x5C"},
      {"a\x80", Cp932, NotCp932Text, "a\x80"},
      {"a\xA0", Cp932, NotCp932Text, "a\xA0"},
      {"a\xFD", Cp932, NotCp932Text, "a\xFD"},
      {"a\xFE", Cp932, NotCp932Text, "a\xFE"},
      {"a\xFF", Cp932, NotCp932Text, "a\xFF"},
      {"\x83\r\n", Cp932, NotCp932Text, "\x83\r\n"},
      {"\x83\n", Cp932, NotCp932Text, "\x83\n"},
      {"\x83 ", Cp932, NotCp932Text, "\x83 "},
      {"\x83\0"s, Cp932, NotCp932Text, "\x83\0"s},
      {"abc\x83", Cp932, NotCp932Text, "abc\x83"},
      {"\x85\x40", Cp932, NotCp932Text, "\x85\x40"},  // unassigned
      {"\xFC\x4C", Cp932, NotCp932Text, "\xFC\x4C"},
      {"\xF0\x40\xF9\xFC", Cp932, Editable, "\xF0\x40\xF9\xFC"},  // user-defined
      // Characters with several codes take the one Windows writes.
      {u8"≒ⅰⅠ￢∵纊", Utf8, Editable, "\x81\xE0\xFA\x40\x87\x54\x81\xCA\x81\xE6\xFA\x5C"},
      {u8"ｱ\r\n\uE000", Utf8, Editable, "\xB1\r\n\xF0\x40"},
      {u8"メモ😀", Utf8, NoCp932Form, "メモ〓"},
      {u8"¥100円", Utf8, NoCp932Form, "〓100円"},
      {u8"〜‖−¬¢£", Utf8, NoCp932Form, "〓〓〓〓〓〓"},  // the look-alikes of ～∥－￢￠￡
      {WithUtf8Bom(u8"¥"), Utf8Bom, NoCp932Form, "〓"},
      {WithUtf8Bom(u8"メモ\r\n"), Utf8Bom, Editable, "メモ\r\n"},
      {WithUtf8Bom("\x80"
                   "a"),
       Utf8Bom, Malformed, "〓a"},
      {WithUtf8Bom(u8"あ\xE3\x81"), Utf8Bom, Malformed, "あ〓"},
      {WithUtf8Bom(u8"😀\xC0\xAF"), Utf8Bom, Malformed, "〓〓〓"},
      {WithUtf8Bom(""), Utf8Bom, Editable, ""},
      {Utf16File(u"あ\r\n", false), Utf16Le, Editable, "あ\r\n"},
      {Utf16File(u"あa\0"s, true), Utf16Be, Editable, "あa\0"s},
      {Utf16File(u"😀", false), Utf16Le, NoCp932Form, "〓"},
      {Utf16File({u'a', 0xD800, u'b'}, false), Utf16Le, Malformed, "a〓b"},
      {Utf16File({u'a', 0xDC00}, true), Utf16Be, Malformed, "a〓"},
      {Utf16File({0xD83D}, true), Utf16Be, Malformed, "〓"},
      {Utf16File(u"AB", false) + "C", Utf16Le, Malformed, "AB〓"},
      {Utf16File(u"¥", false) + "C", Utf16Le, Malformed, "〓〓"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.file));
    DecodedMemo memo = DecodeMemo(c.file.data(), c.file.size());
    EXPECT_EQ(c.encoding, memo.encoding);
    EXPECT_EQ(c.verdict, memo.verdict);
    EXPECT_EQ(c.pane, memo.paneText);
  }
}

TEST(MemoEncoding, EveryCharacterWithCp932FormRoundTrips) {
  // Each character once, in lines of 64, and the pane text they make.
  std::string utf32, pane;
  int inLine = 0;
  for (char32_t c = 1; c < 0x10000; ++c) {
    char form[2];
    size_t formLen = EncodeCp932Char(c, form);
    if (formLen == 0) continue;
    utf32 += Utf32(c);
    pane.append(form, formLen);
    if (++inLine == 64) {
      utf32 += Utf32('\r') + Utf32('\n');
      pane += "\r\n";
      inLine = 0;
    }
  }
  struct Form {
    const char* iconvName;
    const char* bom;
    MemoEncoding encoding;
  } forms[] = {
      {"UTF-8", "", Utf8},
      {"UTF-8", "\xEF\xBB\xBF", Utf8Bom},
      {"UTF-16LE", "\xFF\xFE", Utf16Le},
      {"UTF-16BE", "\xFE\xFF", Utf16Be},
  };
  for (const Form& form : forms) {
    SCOPED_TRACE(form.iconvName + std::string(*form.bom ? " with BOM" : ""));
    std::string text;
    ASSERT_TRUE(Iconv(form.iconvName, "UTF-32LE").Convert(utf32, text));
    std::string file = form.bom + text;
    DecodedMemo memo = DecodeMemo(file.data(), file.size());
    EXPECT_EQ(form.encoding, memo.encoding);
    EXPECT_EQ(Editable, memo.verdict);
    EXPECT_TRUE(memo.paneText == pane);
    std::string saved;
    EXPECT_TRUE(EncodeMemo(memo.paneText.data(), memo.paneText.size(), memo.encoding, saved));
    EXPECT_TRUE(saved == file);
  }
}

TEST(MemoEncoding, RefusesToEncodePaneBytesThatAreNoCharacter) {
  for (const std::string& pane : {"a\x80"s, "\xA0"s, "x\x83"s, "\x83\n"s, "\x85\x40"s}) {
    for (MemoEncoding encoding : {Utf8, Utf8Bom, Utf16Le, Utf16Be}) {
      std::string out = "old";
      EXPECT_FALSE(EncodeMemo(pane.data(), pane.size(), encoding, out)) << testing::PrintToString(pane);
      EXPECT_EQ("", out);
    }
    // A CP932 memo is written as the pane holds it, as always.
    std::string out;
    EXPECT_TRUE(EncodeMemo(pane.data(), pane.size(), Cp932, out));
    EXPECT_EQ(pane, out);
  }
}

TEST(MemoEncoding, EditableMemosEncodeBackToTheirBytes) {
  std::mt19937 rng(3);
  int editable = 0;
  for (int round = 0; round < 4000; ++round) {
    std::string file = RandomMemoFile(rng, rng() % 60);
    DecodedMemo memo = DecodeMemo(file.data(), file.size());
    if (memo.verdict != Editable) continue;
    ++editable;
    std::string saved;
    EXPECT_TRUE(EncodeMemo(memo.paneText.data(), memo.paneText.size(), memo.encoding, saved));
    EXPECT_EQ(file, saved) << testing::PrintToString(file);
  }
  EXPECT_GT(editable, 500);
}

TEST(MemoEncoding, DetectorFedInPiecesAgreesWithWholeFileAndCharacterWalk) {
  std::mt19937 rng(5);
  for (int round = 0; round < 4000; ++round) {
    std::string file = RandomMemoFile(rng, rng() % 60);
    MemoEncoding whole = DetectMemoEncoding(file.data(), file.size());
    if (whole != Cp932 && whole != Utf8) continue;
    BomlessDetector detector;
    for (size_t at = 0; at < file.size();) {
      size_t piece = std::min<size_t>(file.size() - at, rng() % 20);
      detector.Feed(file.data() + at, piece);
      at += piece;
    }
    EXPECT_EQ(whole == Utf8, detector.FinishIsUtf8()) << testing::PrintToString(file);
    EXPECT_EQ(whole == Utf8, RefBomlessIsUtf8(file)) << testing::PrintToString(file);
  }
}
