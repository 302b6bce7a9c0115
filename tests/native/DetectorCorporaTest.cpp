// Detection measured on catalogue messages of 31 languages and on Japanese in
// every form memos meet, cut into lines and pieces of 20 to 1,024 bytes
// (bench/common/DetectorCorpus.h; detector_bench prints the table by text).
#include <gtest/gtest.h>

#include "DetectorCorpus.h"

namespace {

// The most misreads allowed per 100,000 pieces of a group, by length as in
// DetectorLengths; -1 for no bound (EUC-JP is no memo encoding: its short
// pieces open as mojibake, which shows, but never read-only).
struct Bound {
  DetectorGroup group;
  const char* name;
  long perHundredThousand[DetectorLengthCount];
} const Bounds[] = {
    {DetectorGroup::Japanese, "Japanese in UTF-8 and CP932", {50, 50, 0, 0}},
    {DetectorGroup::ChineseKorean, "Chinese and Korean", {500, 500, 0, 0}},
    {DetectorGroup::LatinGreekCyrillic, "Latin, Greek and Cyrillic", {500, 500, 0, 0}},
    {DetectorGroup::HebrewArabic, "Hebrew, Arabic and Persian", {1000, 1000, 0, 0}},
    {DetectorGroup::EucJp, "EUC-JP opened editable", {-1, -1, -1, 0}},
};

}  // namespace

TEST(DetectorCorpora, MisreadsStayWithinBoundsByGroupAndLength) {
  std::vector<DetectorText> texts = DetectorTexts();
  ASSERT_FALSE(texts.empty()) << "cannot read the samples under " SCRIBBIT_DETECTOR_SAMPLES;
  std::vector<std::vector<DetectorTally>> tallies = TallyDetector(texts);
  for (const Bound& bound : Bounds) {
    for (size_t n = 0; n < DetectorLengthCount; ++n) {
      DetectorTally sum;
      for (size_t t = 0; t < texts.size(); ++t) {
        if (texts[t].group != bound.group) continue;
        sum.misread += tallies[t][n].misread;
        sum.pieces += tallies[t][n].pieces;
      }
      SCOPED_TRACE(std::string(bound.name) + ", pieces of " + std::to_string(DetectorLengths[n]) + " bytes (0: lines)");
      EXPECT_GT(sum.pieces, 30u);
      if (bound.perHundredThousand[n] >= 0) {
        EXPECT_LE(long(sum.misread) * 100000, bound.perHundredThousand[n] * long(sum.pieces)) << sum.misread << " of " << sum.pieces;
      }
    }
  }
}
