#pragma once
// Tells a memo file that starts with no byte order mark as UTF-8 or as code
// page 932, from its bytes given in pieces cut anywhere. Loading and search
// share it, so a memo is searched in the encoding it opens in.
//
// The file is UTF-8 when all its bytes are well-formed UTF-8 holding at least
// one character of two bytes or more, and a character lies at U+0800 or
// above (other than those led by ED and EE, see Utf8.h), or the bytes are not
// CP932 text, or their words weigh for UTF-8 by Utf8WordEvidence. Anything
// else is CP932; pure ASCII reads the same either way and stays CP932.
//
// A real CP932 memo rarely gets past the first two tests. Its kana and most
// kanji start with a byte in 81-9F, which UTF-8 allows only as the second or
// later byte of a sequence, right after C2-DF (half-width katakana in CP932)
// or inside a longer one; real text breaks that within a few characters.
// Japanese UTF-8 text, on the other hand, is made of three-byte characters
// (kana, kanji and their punctuation lie at U+3000 and above). What is left
// is text whose characters all lie below U+0800 in UTF-8 and which is CP932
// text too: Latin, Greek, Cyrillic, Hebrew or Arabic UTF-8 ("café" is
// "cafﾃｩ" in CP932), or CP932 made of short runs of half-width katakana
// (C2-DF followed by A1-BF or by a lead byte with an ASCII second byte: "ﾃｽ"
// is C3 BD, "ý"); and CP932 holding kanji in NEC's codes for IBM's (ED, EE)
// beside Korean UTF-8 of syllables led by ED. Their words tell them apart,
// as Utf8WordEvidence.h tells.
#include <cstddef>

#include "core/Cp932Unicode.h"
#include "core/Utf8.h"
#include "core/Utf8WordEvidence.h"

class BomlessDetector {
public:
  void Feed(const char* data, size_t len);

  // The bytes so far are not UTF-8: the file is CP932 whatever follows.
  bool SurelyCp932() const { return !utf8Possible; }
  // Every byte so far is ASCII, which reads the same in both encodings.
  bool AllAscii() const { return utf8Possible && !utf8.SawMultiByte(); }

  // Whether the file is UTF-8, once all of it was fed. Call it once.
  bool FinishIsUtf8();

private:
  Utf8Validator utf8;
  // Both fed only while the two readings stay open and no character at U+0800
  // or above is seen: only then do they decide.
  Cp932Validator cp932;
  Utf8WordEvidence words;
  bool utf8Possible = true;
  bool cp932Possible = true;
};
