// search_bench: the tool's SearchMemos, called through the real DLL as the
// host calls it, as a ratio to the floor every search under Wine pays: a bare
// CreateFile, ReadFile and CloseHandle of each memo, measured side by side in
// the same process over the same files.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "Corpus.h"
#include "core/SettingKeys.h"
#include "Timing.h"
#include "plugin/ToolBase.h"

namespace {

// The memo folders' paths, as the host would hand them to the tool.
class BenchSettings : public HostSettings {
public:
  void ReadValue(int, const char* key, char* out) override {
    auto found = values.find(key);
    snprintf(out, SettingValueSize, "%s", found == values.end() ? "" : found->second.c_str());
  }
  void WriteValue(int, const char* key, const char* value) override { values[key] = value; }
  const char* GetHostPath(int, int) override { return "."; }

private:
  std::map<std::string, std::string> values;
};

// The host's window object (handle at offset 28) over a window that counts
// the results it is sent.
struct ResultWindowObject {
  const void* virtualTable = nullptr;
  void* bookkeeping[6] = {};
  HWND handle = NULL;
};

int resultCount = 0;

LRESULT CALLBACK ResultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TOOL_SEARCH_RESULT) {
    ++resultCount;
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateResultWindow() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ResultWindowProc;
  wc.hInstance = ::GetModuleHandleA(NULL);
  wc.lpszClassName = "SearchBenchResults";
  ::RegisterClassA(&wc);
  return ::CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL, wc.hInstance, NULL);
}

std::vector<std::string> MemoPaths(const Corpus& corpus) {
  std::vector<std::string> paths;
  for (const std::string& folder : corpus.folders) {
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((folder + "\\*.txt").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) continue;
    do paths.push_back(folder + "\\" + found.cFileName);
    while (::FindNextFileA(find, &found));
    ::FindClose(find);
  }
  return paths;
}

// The floor: every memo opened, read whole in large blocks and closed.
size_t ReadEveryMemo(const std::vector<std::string>& paths, std::vector<char>& buffer) {
  size_t bytes = 0;
  for (const std::string& path : paths) {
    HANDLE file =
        ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (file == INVALID_HANDLE_VALUE) continue;
    DWORD got;
    // A disk file gives fewer bytes than asked only at its end.
    do {
      if (!::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, NULL)) break;
      bytes += got;
    } while (got == buffer.size());
    ::CloseHandle(file);
  }
  return bytes;
}

typedef ToolBase*(__cdecl* NewToolFunction)(CWnd*, HostSettings*);

ToolBase* NewTool(CWnd* hostWindow, HostSettings* settings) {
  HMODULE library = ::LoadLibraryA("Scribbit.dll");
  FARPROC factory = library ? ::GetProcAddress(library, "NewJotbookTool") : NULL;
  return factory ? reinterpret_cast<NewToolFunction>(reinterpret_cast<void*>(factory))(hostWindow, settings) : nullptr;
}

// The process's committed private memory: what the cache's copies add to.
size_t PrivateBytes() {
  size_t bytes = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const char* at = nullptr; ::VirtualQuery(at, &region, sizeof(region)) == sizeof(region); at += region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += region.RegionSize;
    if (at + region.RegionSize < at) break;
  }
  return bytes;
}

// What the first search cannot avoid beside the floor once it keeps what it
// reads: as many bytes written into memory the process never touched.
void WriteNewMemory(size_t bytes) {
  void* memory = ::VirtualAlloc(NULL, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (!memory) return;
  std::memset(memory, 1, bytes);
  ::VirtualFree(memory, 0, MEM_RELEASE);
}

// Appends a line to one memo in a hundred, a different set each call, keeping
// its encoding's line end: ASCII reads the same in each.
void ChangeOnePercent(const std::vector<std::string>& paths, int round) {
  for (size_t i = round % 100; i < paths.size(); i += 100) {
    HANDLE file = ::CreateFileA(paths[i].c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) continue;
    DWORD written;
    ::WriteFile(file, "appended\r\n", 10, &written, NULL);
    ::CloseHandle(file);
  }
}

// A search the host runs on a thread of its own and stops from its own.
struct StoppableSearch {
  ToolBase* tool;
  SearchRequest request;
  const char* keyword;
  std::chrono::steady_clock::time_point returned;
  static DWORD WINAPI Run(void* search) {
    StoppableSearch* self = static_cast<StoppableSearch*>(search);
    self->tool->SearchMemos(&self->request, self->keyword);
    self->returned = std::chrono::steady_clock::now();
    return 0;
  }
};

// The longest time, in ms, from the stop flag being set partway through a
// search to the search's return, over stops at several points of it.
double WorstStopLatency(ToolBase* tool, ResultWindowObject& resultWindow, double searchMs) {
  double worst = 0;
  for (int step = 1; step <= 9; ++step) {
    StoppableSearch search = {tool, {reinterpret_cast<CWnd*>(&resultWindow), 0, 0, 0}, MissingKeyword, {}};
    HANDLE thread = ::CreateThread(NULL, 0, StoppableSearch::Run, &search, 0, NULL);
    ::Sleep(static_cast<DWORD>(searchMs * step / 10));
    std::chrono::steady_clock::time_point set = std::chrono::steady_clock::now();
    search.request.stopFlag = 1;
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    // A search that ended before the flag was set did not stop.
    if (search.returned > set) worst = std::max(worst, std::chrono::duration<double, std::milli>(search.returned - set).count());
  }
  return worst;
}

const size_t AnyCount = static_cast<size_t>(-1);

bool RunBench(const Corpus& corpus, const char* corpusLabel, const char* foundKeyword, size_t expectedFound) {
  ResultWindowObject resultWindow;
  resultWindow.handle = CreateResultWindow();
  if (!resultWindow.handle) {
    printf("could not create the result window (is there a display?)\n");
    return false;
  }
  BenchSettings settings;
  for (size_t i = 0; i < corpus.folders.size(); ++i)
    settings.WriteValue(19, FolderPathKey(static_cast<int>(i) + 1), corpus.folders[i].c_str());
  std::vector<std::string> paths = MemoPaths(corpus);
  std::vector<char> buffer(64 * 1024);
  size_t bytesRead = 0;
  auto floor = [&] { bytesRead = ReadEveryMemo(paths, buffer); };
  auto search = [&](ToolBase* tool, const char* keyword) {
    SearchRequest request = {reinterpret_cast<CWnd*>(&resultWindow), 0, 0, 0};
    resultCount = 0;
    tool->SearchMemos(&request, keyword);
    return resultCount;
  };
  auto report = [&](const char* what, double ms, double floorMs, const char* goal) {
    printf("search, %s, %-34s %7.1f ms, floor %7.1f ms, ratio %.2f (goal <= %s)\n", corpusLabel, what, ms, floorMs, ms / floorMs, goal);
  };

  // Cold: a new tool for every search, as after the host starts.
  double cold = 1e9, coldFloor = 1e9, newMemory = 1e9;
  int found = 0;
  size_t before = 0, after = 0;
  for (int run = 0; run < 5; ++run) {
    ToolBase* tool = NewTool(reinterpret_cast<CWnd*>(&resultWindow), &settings);
    if (!tool) {
      printf("could not load Scribbit.dll\n");
      return false;
    }
    before = PrivateBytes();
    cold = std::min(cold, Seconds([&] { found = search(tool, foundKeyword); }));
    after = PrivateBytes();
    coldFloor = std::min(coldFloor, Seconds(floor));
    newMemory = std::min(newMemory, Seconds([&] { WriteNewMemory(bytesRead); }));
    delete tool;
  }
  report("cold, a new tool each time:", cold * 1e3, coldFloor * 1e3, "1.20");
  printf("search, %s, of which unavoidable for the copies: %.1f MB written into new memory alone, %.1f ms, ratio %.2f\n", corpusLabel,
         bytesRead / 1e6, newMemory * 1e3, newMemory / coldFloor);
  // What keeping the copies costs: the same with the cache off.
  double uncached = 1e9, uncachedFloor = 1e9;
  ::SetEnvironmentVariableA("SCRIBBIT_SEARCH_CACHE_MB", "0");
  ToolBase* withoutCache = NewTool(reinterpret_cast<CWnd*>(&resultWindow), &settings);
  ::SetEnvironmentVariableA("SCRIBBIT_SEARCH_CACHE_MB", NULL);
  for (int run = 0; run < 5; ++run) {
    uncached = std::min(uncached, Seconds([&] { search(withoutCache, foundKeyword); }));
    uncachedFloor = std::min(uncachedFloor, Seconds(floor));
  }
  delete withoutCache;
  report("the cache off (bound 0):", uncached * 1e3, uncachedFloor * 1e3, "1.20");
  printf("search, %s, memos found %d (expected %zu); the floor read %zu memos, %.1f MB; the cache grew the process by %.1f MB\n",
         corpusLabel, found, expectedFound, paths.size(), bytesRead / 1e6, (after - before) / 1e6);

  ToolBase* tool = NewTool(reinterpret_cast<CWnd*>(&resultWindow), &settings);
  search(tool, foundKeyword);
  double repeated = 1e9, repeatedFloor = 1e9, changed = 1e9, changedFloor = 1e9;
  int repeatedFound = 0;
  for (int run = 0; run < 5; ++run) {
    char keyword[32];
    snprintf(keyword, sizeof(keyword), "%s%d", MissingKeyword, run);
    repeated = std::min(repeated, Seconds([&] { search(tool, keyword); }));
    repeated = std::min(repeated, Seconds([&] { repeatedFound = search(tool, foundKeyword); }));
    repeatedFloor = std::min(repeatedFloor, Seconds(floor));
    ChangeOnePercent(paths, run);
    changed = std::min(changed, Seconds([&] { search(tool, keyword); }));
    changedFloor = std::min(changedFloor, Seconds(floor));
  }
  report("repeated, nothing changed:", repeated * 1e3, repeatedFloor * 1e3, "0.30");
  report("repeated, 1% of the memos changed:", changed * 1e3, changedFloor * 1e3, "0.40");
  printf("search, %s, a repeated search found %d memos, as the cold one\n", corpusLabel, repeatedFound);

  // A memo of 200,000 bytes leads the last folder, so stops land in it too.
  std::string big = corpus.folders.back() + "\\0000-long.txt";
  std::string longMemo = MakeLongMemo(200000);
  HANDLE file = ::CreateFileA(big.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  DWORD written;
  ::WriteFile(file, longMemo.data(), static_cast<DWORD>(longMemo.size()), &written, NULL);
  ::CloseHandle(file);
  double warmStop = WorstStopLatency(tool, resultWindow, repeated * 1e3);
  delete tool;
  tool = NewTool(reinterpret_cast<CWnd*>(&resultWindow), &settings);
  double coldStop = WorstStopLatency(tool, resultWindow, cold * 1e3);
  delete tool;
  ::DeleteFileA(big.c_str());
  printf("search, %s, stop: at most %.2f ms from the flag to the return with the cache, %.2f ms reading the files (goal <= 50)\n",
         corpusLabel, warmStop, coldStop);
  ::DestroyWindow(resultWindow.handle);
  return (expectedFound == AnyCount || found == static_cast<int>(expectedFound)) && repeatedFound == found;
}

// The Japanese manual pages, as shipped, spread over five folders under
// root; tools/bench.sh writes them there.
bool FindManPages(const char* root, Corpus& corpus) {
  for (int folder = 1; folder <= 5; ++folder) {
    corpus.folders.push_back(std::string(root) + "\\" + std::to_string(folder));
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((corpus.folders.back() + "\\*.txt").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    do {
      ++corpus.memoCount;
      corpus.totalBytes += found.nFileSizeLow;
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
  }
  return corpus.memoCount > 0;
}

}  // namespace

// argv[1], if given: the folder holding the manual pages in five folders.
int main(int argc, char** argv) {
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof(temp), temp);
  char root[MAX_PATH];
  snprintf(root, sizeof(root), "%sscribbit_search_bench_%lu", temp, ::GetCurrentProcessId());
  ::CreateDirectoryA(root, NULL);
  std::string cp932Root = std::string(root) + "\\cp932", mixedRoot = std::string(root) + "\\mixed";
  ::CreateDirectoryA(cp932Root.c_str(), NULL);
  ::CreateDirectoryA(mixedRoot.c_str(), NULL);
  Corpus corpus, mixed;
  bool ok = WriteCorpus(cp932Root, corpus) && WriteCorpus(mixedRoot, mixed, CorpusEncoding::HalfUtf8);
  if (ok) {
    printf("corpus: %zu memos in %zu folders, %.1f MB, keyword planted in %zu; the same with %zu memos in UTF-8: %.1f MB\n",
           corpus.memoCount, corpus.folders.size(), corpus.totalBytes / 1e6, corpus.plantedMemos, mixed.utf8Memos, mixed.totalBytes / 1e6);
    ok = RunBench(corpus, "CP932     ", PlantedKeyword, corpus.plantedMemos) && RunBench(mixed, "half UTF-8", PlantedKeyword, mixed.plantedMemos);
  } else {
    printf("could not write the corpus under %s\n", root);
  }
  Corpus manPages;
  if (ok && argc > 1) {
    ok = FindManPages(argv[1], manPages);
    printf("manual pages: %zu in 5 folders, %.1f MB\n", manPages.memoCount, manPages.totalBytes / 1e6);
    ok = ok && RunBench(manPages, "man pages ", "ファイル", AnyCount);
  }
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
  return ok ? 0 : 1;
}
