// detector_bench: how often DetectMemoEncoding misreads texts without a byte
// order mark, by kind and length of piece. Given a file name, it also writes
// every piece there for bench/detector_peers.py to put other detectors
// beside it.
#include <cstdio>

#include "DetectorCorpus.h"

namespace {

const char* const LengthNames[DetectorLengthCount] = {"lines", "20 bytes", "100 bytes", "1 KB"};

void WritePieces(const std::vector<DetectorText>& texts, const char* path) {
  FILE* out = std::fopen(path, "w");
  if (!out) {
    std::perror(path);
    return;
  }
  const char* const encodings[] = {"CP932", "UTF-8"};
  for (size_t t = 0; t < texts.size(); ++t) {
    const DetectorText& text = texts[t];
    bool eucJp = text.group == DetectorGroup::EucJp;
    std::fprintf(out, "text\t%s\t%s\n", text.name.c_str(), eucJp ? "EUC-JP" : encodings[text.encoding == MemoEncoding::Utf8]);
    for (size_t n = 0; n < DetectorLengthCount; ++n) {
      for (const std::string& piece : DetectorPieces(text, DetectorLengths[n])) {
        std::fprintf(out, "%zu\t%d\t", n, Misread(text, piece));
        for (unsigned char b : piece) std::fprintf(out, "%02x", b);
        std::fputc('\n', out);
      }
    }
  }
  std::fclose(out);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<DetectorText> texts = DetectorTexts();
  if (texts.empty()) {
    std::printf("cannot read the samples under %s\n", SCRIBBIT_DETECTOR_SAMPLES);
    return 1;
  }
  std::vector<std::vector<DetectorTally>> tallies = TallyDetector(texts);
  std::printf("| text | %s | %s | %s | %s |\n|---|---|---|---|---|\n", LengthNames[0], LengthNames[1], LengthNames[2], LengthNames[3]);
  for (size_t t = 0; t < texts.size(); ++t) {
    std::printf("| %s |", texts[t].name.c_str());
    for (const DetectorTally& tally : tallies[t]) {
      double percent = tally.pieces == 0 ? 0 : 100.0 * tally.misread / tally.pieces;
      std::printf(" %zu / %zu (%.2f%%) |", tally.misread, tally.pieces, percent);
    }
    std::printf("\n");
  }
  if (argc > 1) WritePieces(texts, argv[1]);
  return 0;
}
