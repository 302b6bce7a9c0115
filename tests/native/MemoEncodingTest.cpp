#include <gtest/gtest.h>

#include "core/BomlessDetector.h"
#include "core/MemoEncoding.h"
#include "MemoFiles.h"
#include "Reference.h"

namespace {

const MemoEncoding Cp932 = MemoEncoding::Cp932, Utf8 = MemoEncoding::Utf8, Utf8Bom = MemoEncoding::Utf8Bom,
                   Utf16Le = MemoEncoding::Utf16LeBom, Utf16Be = MemoEncoding::Utf16BeBom;

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
      {"ﾃｨ", Cp932},                // "è" with no ASCII letter in the text...
      {u8"Il file è vuoto", Utf8},  // ...but a word of its own amid them
      {u8"če", Utf8},               // C4 8D 65: the e may be a kanji's second byte, yet not after a lone ﾄ
      {u8"xəta", Utf8},             // ə is no IPA in Azerbaijani
      {u8"née", Utf8},              // decomposed, the mark after its letter
      {u8"שלום", Utf8},
      {u8"توضیح", Utf8},
      {"\xED\x9E\x89\x69", Cp932},  // 德永 in NEC-selected codes, "힉i"
      {u8"화학", Utf8},
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
