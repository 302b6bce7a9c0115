#include "SearchBench.h"

#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "MemoScan.h"
#include "Timing.h"

namespace {

// What a folder search does: list each folder, read each memo whole into one
// reused buffer, scan it. Memos are opened relative to their folder, as grep
// does, so both pay the same for path lookups.
size_t SearchWithCore(const Corpus& corpus, const char* keyword, std::vector<char>& buffer) {
  KeywordMatcher matcher(keyword);
  size_t matches = 0;
  for (const std::string& folder : corpus.folders) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) continue;
    while (dirent* entry = readdir(dir)) {
      if (entry->d_type != DT_REG) continue;
      int fd = openat(dirfd(dir), entry->d_name, O_RDONLY);
      if (fd < 0) continue;
      size_t used = 0;
      for (;;) {
        if (used == buffer.size()) buffer.resize(buffer.size() * 2);
        ssize_t got = read(fd, buffer.data() + used, buffer.size() - used);
        if (got <= 0) break;
        used += static_cast<size_t>(got);
      }
      close(fd);
      matches += ScanMemoBuffer(buffer.data(), used, matcher, nullptr) == ScanResult::Match;
    }
    closedir(dir);
  }
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
