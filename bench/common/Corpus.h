#pragma once
// The fixed memo corpus the search benchmarks run over: five folders, about
// 5,000 memos of mixed ASCII and Japanese with CR LF line ends, from under
// 1 KB to about 50 KB, about 40 MB in all, in CP932 or with half the memos in
// UTF-8. The seed is fixed and the generator is our own, so every build on
// every platform writes the same bytes.
#include <cstddef>
#include <string>
#include <vector>

struct Corpus {
  std::vector<std::string> folders;  // full paths
  size_t memoCount = 0;
  size_t totalBytes = 0;
  size_t plantedMemos = 0;
  size_t utf8Memos = 0;
};

enum class CorpusEncoding {
  Cp932,
  // The same texts, half the memos picked at random in UTF-8: three in four
  // of those without a byte order mark, the others with one.
  HalfUtf8,
};

// Occurs in no memo of the corpus.
extern const char* const MissingKeyword;
// Planted in about a tenth of the memos, on a line picked at random.
extern const char* const PlantedKeyword;

// Writes the corpus under root, which must exist; false on a write error.
bool WriteCorpus(const std::string& root, Corpus& corpus, CorpusEncoding encoding = CorpusEncoding::Cp932);

// A memo of the corpus's lines in CP932, at least the given length.
std::string MakeLongMemo(size_t bytes);
