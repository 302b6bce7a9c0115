#include "SearchBench.h"

#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/MemoScan.h"
#include "Timing.h"

namespace {

// A memo file read block by block, as the DLL reads one: a short read is
// the end, so no read is spent to learn it.
class FileReader : public BlockReader {
public:
  explicit FileReader(int descriptor) : fd(descriptor) {}
  size_t Read(char* buf, size_t cap) override {
    if (atEnd) return 0;
    ssize_t got = read(fd, buf, cap);
    atEnd = got < static_cast<ssize_t>(cap);
    return got > 0 ? static_cast<size_t>(got) : 0;
  }

private:
  int fd;
  bool atEnd = false;
};

// Calls visit with each memo's file, opened relative to its folder.
template <typename Visit>
void ForEachMemo(const Corpus& corpus, Visit visit) {
  for (const std::string& folder : corpus.folders) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) continue;
    while (dirent* entry = readdir(dir)) {
      if (entry->d_type != DT_REG) continue;
      int fd = openat(dirfd(dir), entry->d_name, O_RDONLY);
      if (fd < 0) continue;
      visit(fd);
      close(fd);
    }
    closedir(dir);
  }
}

// What the host search does: one scanner per folder.
size_t SearchWithScanner(const Corpus& corpus, const char* keyword) {
  KeywordMatcher matcher(keyword);
  size_t matches = 0;
  MemoScanner scanner(matcher, nullptr);
  ForEachMemo(corpus, [&](int fd) {
    FileReader reader(fd);
    matches += scanner.Scan(reader) == ScanResult::Match;
  });
  return matches;
}

// The floor: every memo opened, read whole in blocks and closed.
size_t ReadEveryMemo(const Corpus& corpus, std::vector<char>& buffer) {
  size_t bytes = 0;
  ForEachMemo(corpus, [&](int fd) {
    for (ssize_t got; (got = read(fd, buffer.data(), buffer.size())) > 0;) {
      bytes += static_cast<size_t>(got);
      if (static_cast<size_t>(got) < buffer.size()) break;
    }
  });
  return bytes;
}

// What a folder search does: list each folder, read each memo whole into one
// reused buffer, scan it. Memos are opened relative to their folder, as grep
// does, so both pay the same for path lookups.
size_t SearchWithCore(const Corpus& corpus, const char* keyword, std::vector<char>& buffer) {
  KeywordMatcher matcher(keyword);
  size_t matches = 0;
  ForEachMemo(corpus, [&](int fd) {
    size_t used = 0;
    for (;;) {
      if (used == buffer.size()) buffer.resize(buffer.size() * 2);
      ssize_t got = read(fd, buffer.data() + used, buffer.size() - used);
      if (got <= 0) break;
      used += static_cast<size_t>(got);
    }
    matches += ScanMemoBuffer(buffer.data(), used, matcher, nullptr) == ScanResult::Match;
  });
  return matches;
}

// Runs grep -rlF in the C locale with its list of files sent to listPath;
// the number of files listed, or -1 when grep could not run.
long SearchWithGrep(const std::string& root, const char* keyword, const char* listPath) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, listPath, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const char* argv[] = {"grep", "-rlF", keyword, root.c_str(), nullptr};
  const char* envp[] = {"LC_ALL=C", nullptr};
  pid_t pid;
  int failed = posix_spawnp(&pid, "grep", &actions, nullptr, const_cast<char**>(argv), const_cast<char**>(envp));
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (failed || waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) > 1) return -1;
  long lines = 0;
  if (std::FILE* list = std::fopen(listPath, "r")) {
    for (int c; (c = std::fgetc(list)) != EOF;) lines += c == '\n';
    std::fclose(list);
  }
  return lines;
}

}  // namespace

bool RunSearchBench(const Corpus& corpus, const std::string& root, const std::string& listPath) {
  struct Run {
    const char* label;
    const char* keyword;
  } runs[] = {{"keyword found nowhere      ", MissingKeyword}, {"keyword in a tenth of memos", PlantedKeyword}};
  std::vector<char> buffer(64 * 1024);
  for (const Run& run : runs) {
    size_t coreMatches = 0;
    long grepMatches = 0;
    double core = 0, grep = 0;
    BestOfFiveSideBySide([&] { coreMatches = SearchWithCore(corpus, run.keyword, buffer); },
                         [&] { grepMatches = SearchWithGrep(root, run.keyword, listPath.c_str()); }, core, grep);
    std::remove(listPath.c_str());
    if (grepMatches < 0) {
      std::printf("grep could not run\n");
      return false;
    }
    std::printf(
        "search, %s: core %7.1f ms, grep -rlF %7.1f ms, core/grep %.2f (goal <= 0.80)"
        "; memos found: core %zu, grep %ld\n",
        run.label, core * 1e3, grep * 1e3, core / grep, coreMatches, grepMatches);
  }
  return true;
}

bool RunMixedSearchBench(const Corpus& cp932, const Corpus& mixed, const std::string& mixedRoot, const std::string& listPath) {
  struct Run {
    const char* label;
    const char* keyword;
  } runs[] = {{"keyword found nowhere      ", MissingKeyword}, {"keyword in a tenth of memos", PlantedKeyword}};
  std::vector<char> buffer(64 * 1024);
  for (const Run& run : runs) {
    size_t cp932Matches = 0, mixedMatches = 0;
    double cp932Scan = 0, cp932Read = 0, mixedScan = 0, mixedRead = 0;
    BestOfFiveSideBySide([&] { cp932Matches = SearchWithScanner(cp932, run.keyword); }, [&] { ReadEveryMemo(cp932, buffer); }, cp932Scan,
                         cp932Read);
    BestOfFiveSideBySide([&] { mixedMatches = SearchWithScanner(mixed, run.keyword); }, [&] { ReadEveryMemo(mixed, buffer); }, mixedScan,
                         mixedRead);
    long grepMatches = 0;
    double grep = BestOfFive([&] { grepMatches = SearchWithGrep(mixedRoot, run.keyword, listPath.c_str()); });
    std::remove(listPath.c_str());
    if (grepMatches < 0) {
      std::printf("grep could not run\n");
      return false;
    }
    std::printf(
        "scanner, %s: CP932 corpus %6.1f ms, /bare read %.2f; half UTF-8 %6.1f ms, /bare read %.2f (%.2f of CP932's)"
        ", /grep -rlF %.2f; memos found %zu and %zu, grep %ld (CP932 memos only)\n",
        run.label, cp932Scan * 1e3, cp932Scan / cp932Read, mixedScan * 1e3, mixedScan / mixedRead,
        (mixedScan / mixedRead) / (cp932Scan / cp932Read), mixedScan / grep, cp932Matches, mixedMatches, grepMatches);
  }
  return true;
}
