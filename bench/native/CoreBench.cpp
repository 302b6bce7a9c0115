// core_bench: the portable core's speed as ratios to baselines measured in
// the same run.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "Corpus.h"
#include "EditBench.h"
#include "EncodingBench.h"
#include "SearchBench.h"

int main() {
  const char* tmp = std::getenv("TMPDIR");
  std::string work = std::string(tmp && *tmp ? tmp : "/tmp") + "/scribbit_bench_XXXXXX";
  if (!mkdtemp(&work[0])) {
    std::perror("mkdtemp");
    return 1;
  }
  std::string root = work + "/corpus";
  std::string mixedRoot = work + "/mixed";
  Corpus corpus, mixed;
  bool ok = WriteCorpus(root, corpus) && WriteCorpus(mixedRoot, mixed, CorpusEncoding::HalfUtf8);
  if (ok) {
    std::printf("corpus: %zu memos in %zu folders, %.1f MB, keyword planted in %zu; the same with %zu memos in UTF-8: %.1f MB\n",
                corpus.memoCount, corpus.folders.size(), corpus.totalBytes / 1e6, corpus.plantedMemos, mixed.utf8Memos,
                mixed.totalBytes / 1e6);
    ok = RunSearchBench(corpus, root, work + "/grep-list.txt") && RunMixedSearchBench(corpus, mixed, mixedRoot, work + "/grep-list.txt");
  } else {
    std::printf("could not write the corpora under %s\n", work.c_str());
  }
  RunEditBench();
  RunEncodingBench();
  std::error_code ignored;
  std::filesystem::remove_all(work, ignored);
  return ok ? 0 : 1;
}
