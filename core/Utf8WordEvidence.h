#pragma once
// Weighs, word by word, whether bytes that read both as UTF-8 below U+0800
// and as CP932 text are the one or the other, from bytes given in pieces cut
// anywhere. BomlessDetector asks it only about such files.
//
// Both readings of such bytes pair off the same way: a UTF-8 character of two
// bytes is, in CP932, a half-width katakana followed by a half-width katakana
// or sign, or by the lead byte of a double-byte character. The readings part
// in how those characters sit in words (runs of ASCII letters and bytes
// outside ASCII). A Latin, Greek, Cyrillic, Hebrew or Arabic text keeps each
// word in one script, and Latin-1 letters sit inside words of ASCII letters
// ("café"). Japanese katakana read as UTF-8 lands all over the two-byte
// range, so that its words mix scripts or fall into blocks no text uses much
// (IPA, Armenian, Syriac...); a Hebrew or Arabic word of it takes ﾗ-ﾛ every
// other katakana, and a lone katakana pair reads as one letter ("ﾓｼ" is
// "Ӽ"), which a text of ASCII letters holds too.
//
// Each word holding a two-byte character adds the log-likelihood ratio, in
// bits, of its kind in the two readings; the text is UTF-8 when the sum is
// above zero, so that words of no weight leave it CP932. The ratios were
// measured on the messages of Debian 12's catalogues in languages other than
// Japanese, Chinese and Korean that read both ways (743,000 words holding a
// two-byte character), against Debian's Japanese manual pages in CP932 with
// their katakana made half-width, and their hiragana as well (2,280 such
// words that are UTF-8 too), each share floored at half a word of the
// Japanese sample: a kind seldom seen in either weighs about nothing.
// Hebrew, Arabic, Hangul and the lone letters amid ASCII words were weighed
// later by hand, against lines and pieces of 20 to 1,024 bytes of Debian's
// catalogues in 31 languages and Japanese in every CP932 form
// (bench/common/DetectorCorpus.h): half-width hiragana, which no Japanese
// text writes, had made lone Latin Extended and Cyrillic letters weigh more
// for CP932 than katakana alone bears out. tests/native/BomlessCorporaTest.cpp
// and DetectorCorporaTest.cpp check the result.
#include <cstddef>
#include <cstdint>

// The letters of a word's two-byte characters; signs (U+00A1-U+00BF) give way
// to any letters beside them. Latin Extended takes in ə (U+0259), which
// Azerbaijani writes beside its other letters, and the combining marks
// (U+0300-036F) that decomposed text puts after Latin letters; Arabic is the
// letters, marks and punctuation Arabic and Persian write, without the
// Persian digits (U+06F0-06F9: "ﾛｰ" is "۰"). Hangul is the three-byte
// characters led by ED (U+D000-D7FF), which reach the words only in bytes
// that are CP932 text too: CP932 makes them of the codes NEC selected for
// IBM's kanji ("德永" is ED 9E 89 69, "힉i"), Korean of its syllables.
enum class WordScript { Latin1, LatinExtended, Greek, Cyrillic, Hebrew, Arabic, Hangul, Signs };
const int WordScriptCount = 8;

enum class WordShape {
  // One two-byte character and no ASCII letter, in a text with no ASCII
  // letter anywhere: "ﾃｨ" (ティ) alone is "è"...
  OneAlone,
  // ...and in a text with ASCII letters elsewhere, where a lone letter is a
  // word of its own ("è", "и", "ή") or what a cut left of one.
  OneAmidAsciiWords,
  SeveralAlone,  // more than one, and no ASCII letter
  // With an ASCII letter that is one in the CP932 reading too: a lone letter
  // right after a two-byte character whose second byte is a CP932 lead byte
  // (81-9F) is the second byte of a double-byte character there ("ﾃｽﾄ用" is
  // "ýėp"), and counts only after the word's first two-byte character: one
  // half-width katakana and a kanji seldom make a word, where "če", "și" and
  // "ĉi" are among their languages' commonest.
  BesideAsciiLetters,
};
const int WordShapeCount = 4;

// The weight, in bits for UTF-8, of a word of one script and shape...
int WordWeight(WordScript script, WordShape shape);
// ...and of a word mixing scripts, or holding a character of no script above
// (C1 controls, ×, ÷, IPA, Coptic, Cyrillic Supplement, Armenian, Syriac...,
// and the private use characters led by EE, NEC-selected IBM kanji too).
const int MixedWordWeight = -7;
const int OtherWordWeight = -7;

class Utf8WordEvidence {
public:
  void Feed(const char* data, size_t len);
  // Whether the words weigh for UTF-8, once all the bytes were fed. Call it once.
  bool FinishFavoursUtf8();

private:
  void AddChar(unsigned char lead, unsigned char trail);
  void EndWord();

  int64_t weight = 0;
  // Words of one two-byte character and no ASCII letter, weighed both ways.
  int64_t oneAlone = 0;
  int64_t oneAmidAsciiWords = 0;
  bool sawAsciiLetter = false;
  // The word that the last byte fed belongs to, if any.
  unsigned scripts = 0;  // bits by WordScript, and one for no script
  unsigned chars = 0;    // two-byte characters, counted up to 2
  bool asciiLetter = false;
  bool afterCp932Lead = false;  // the last byte was a two-byte character's second byte in 81-9F
  unsigned char pendingLead = 0;
};
