// search_bench: the tool's SearchMemos, called through the real DLL as the
// host calls it, as a ratio to the floor every search under Wine pays: a bare
// CreateFile, ReadFile and CloseHandle of each memo, measured side by side in
// the same process over the same files.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "Corpus.h"
#include "SettingKeys.h"
#include "Timing.h"
#include "ToolBase.h"

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

bool RunBench(const Corpus& corpus, const char* corpusLabel) {
  ResultWindowObject resultWindow;
  resultWindow.handle = CreateResultWindow();
  if (!resultWindow.handle) {
    printf("could not create the result window (is there a display?)\n");
    return false;
  }
  BenchSettings settings;
  for (size_t i = 0; i < corpus.folders.size(); ++i)
    settings.WriteValue(19, FolderPathKey(static_cast<int>(i) + 1), corpus.folders[i].c_str());
  ToolBase* tool = NewTool(reinterpret_cast<CWnd*>(&resultWindow), &settings);
  if (!tool) {
    printf("could not load Scribbit.dll\n");
    return false;
  }

  std::vector<std::string> paths = MemoPaths(corpus);
  std::vector<char> buffer(64 * 1024);
  struct Run {
    const char* label;
    const char* keyword;
    size_t expected;
  } runs[] = {{"keyword found nowhere      ", MissingKeyword, 0}, {"keyword in a tenth of memos", PlantedKeyword, corpus.plantedMemos}};
  for (const Run& run : runs) {
    SearchRequest request = {reinterpret_cast<CWnd*>(&resultWindow), 0, 0, 0};
    size_t bytesRead = 0;
    int found = 0;
    double search = 0, floor = 0;
    BestOfFiveSideBySide(
        [&] {
          resultCount = 0;
          tool->SearchMemos(&request, run.keyword);
          found = resultCount;
        },
        [&] { bytesRead = ReadEveryMemo(paths, buffer); }, search, floor);
    printf(
        "search, %s, %s: SearchMemos %7.1f ms, bare open+read+close %7.1f ms, search/floor %.2f (goal <= 1.20)"
        "; memos found %d (planted %zu); the floor read %zu memos, %.1f MB\n",
        corpusLabel, run.label, search * 1e3, floor * 1e3, search / floor, found, run.expected, paths.size(), bytesRead / 1e6);
  }
  delete tool;
  ::DestroyWindow(resultWindow.handle);
  return true;
}

}  // namespace

int main() {
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
    ok = RunBench(corpus, "CP932     ") && RunBench(mixed, "half UTF-8");
  } else {
    printf("could not write the corpus under %s\n", root);
  }
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
  return ok ? 0 : 1;
}
