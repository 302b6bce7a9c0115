#pragma once
// Texts without a byte order mark in the encodings memos meet, to measure how
// often DetectMemoEncoding misreads them: translated messages of Debian's
// catalogues (tests/native/samples) and the GPL's English text, in UTF-8,
// code page 932 in the forms Japanese systems write, and EUC-JP, each cut
// into lines and into pieces of 20, 100 and 1,024 bytes at character
// boundaries.
#include <cstddef>
#include <string>
#include <vector>

#include "core/MemoEncoding.h"

// The kinds are judged by group.
enum class DetectorGroup { Japanese, ChineseKorean, LatinGreekCyrillic, HebrewArabic, EucJp };

struct DetectorText {
  std::string name;
  DetectorGroup group;
  // What reads the text right; EUC-JP is no memo encoding, and reads right
  // in none.
  MemoEncoding encoding;
  std::string bytes;
  std::vector<size_t> starts;  // where each character starts, and the end
};

// Empty when the samples cannot be read.
std::vector<DetectorText> DetectorTexts();

// 0 stands for lines.
const size_t DetectorLengths[] = {0, 20, 100, 1024};
const size_t DetectorLengthCount = 4;

// The pieces of a text outside ASCII (pure ASCII reads alike either way).
std::vector<std::string> DetectorPieces(const DetectorText& text, size_t length);

// Whether a piece is misread: taken for the other memo encoding, or, for
// EUC-JP, opened editable, which shows mojibake that a save would keep.
bool Misread(const DetectorText& text, const std::string& piece);

struct DetectorTally {
  size_t misread = 0;
  size_t pieces = 0;
};

// By text and length, in the order of DetectorTexts and DetectorLengths.
std::vector<std::vector<DetectorTally>> TallyDetector(const std::vector<DetectorText>& texts);
