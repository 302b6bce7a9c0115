// The host's search over the five memo folders: each memo file holding a
// line that matches the keyword is reported once to the host's result window.
// It runs on the host's thread and reads only settings and files, never the
// panel's state. The tool's cache spares a search the memos unchanged since
// the last one; a search that starts while another runs reads every memo.
#include <string>
#include <vector>

#include "store/MemoFile.h"
#include "core/MemoPaths.h"
#include "core/NameText.h"
#include "core/MemoTitle.h"
#include "core/MemoScan.h"
#include "store/SearchCache.h"
#include "components/serchfiles/SerchFiles.h"
#include "plugin/ToolPanel.h"

namespace {

const char unsupportedModeText[] = "非対応の検索モードです。";

// A memo file read in large blocks. Others may read, write and replace the
// file while the search reads it, so a search never makes the panel's load
// or save of the same memo fail.
class MemoFileReader : public BlockReader {
public:
  MemoFileReader(MemoFileOps& fileOps, const char* path)
      : ops(fileOps),
        file(fileOps.Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN)) {}
  ~MemoFileReader() override { Close(); }
  MemoFileReader(const MemoFileReader&) = delete;
  MemoFileReader& operator=(const MemoFileReader&) = delete;

  bool IsOpen() const { return file != INVALID_HANDLE_VALUE; }
  void Close() {
    if (IsOpen()) ops.Close(file);
    file = INVALID_HANDLE_VALUE;
  }

  // The whole file into the buffer, which keeps its size for the next memo;
  // false, with the file to be read from its start again, when it holds more
  // than limit bytes. listedSize: what the folder's listing gave.
  bool ReadWhole(unsigned long long listedSize, size_t limit, std::vector<char>& buffer, size_t& length) {
    if (listedSize > limit) return false;
    // One more byte than the file should hold: a short read tells its end.
    if (buffer.size() <= listedSize) buffer.resize(static_cast<size_t>(listedSize) + 1);
    length = 0;
    for (size_t more = 1; more > 0 && length <= limit; length += more) {
      if (length == buffer.size()) buffer.resize(length * 2);
      more = Read(buffer.data() + length, buffer.size() - length);
    }
    if (length <= limit) return true;
    ops.Rewind(file);
    atEnd = false;
    return false;
  }

  size_t Read(char* buffer, size_t capacity) override {
    DWORD got = 0;
    if (atEnd || !ops.Read(file, buffer, static_cast<DWORD>(capacity), &got)) return 0;
    // A disk file gives fewer bytes than asked only at its end: the call that
    // would confirm it is saved, which counts under Wine.
    atEnd = got < capacity;
    return got;
  }

private:
  MemoFileOps& ops;
  HANDLE file;
  bool atEnd = false;
};

// The handle stored in the host's window object, read afresh for every
// report: the host may have replaced or destroyed its window meanwhile.
CWindow ResultWindow(const SearchRequest& request) { return CWindow(request.resultWindow ? request.resultWindow->m_hWnd : NULL); }

// The host reads the text through the string object's one member while it
// handles the message.
void SendResult(CWindow window, const CString& text) { window.SendMessage(WM_TOOL_SEARCH_RESULT, reinterpret_cast<WPARAM>(&text), 0); }

const char* SkipLeadingBlanks(const char* name) {
  while (*name == ' ' || (*name >= '\t' && *name <= '\r')) ++name;
  return name;
}

// The host shows code page 932 only: a name it cannot spell goes in the look
// Windows gives it (café as cafe), which the user still recognises.
std::string ShownToHost(const char* name) {
  std::u16string wide = Utf16FromUtf8(name);
  const wchar_t* text = reinterpret_cast<const wchar_t*>(wide.c_str());
  int length = ::WideCharToMultiByte(932, 0, text, static_cast<int>(wide.size()), NULL, 0, NULL, NULL);
  std::string shown(static_cast<size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) ::WideCharToMultiByte(932, 0, text, static_cast<int>(wide.size()), &shown[0], length, NULL, NULL);
  return shown;
}

// Sends a result unless the host's window is gone.
void Report(const SearchRequest& request, const char* label, const char* name, CString& result) {
  CWindow window = ResultWindow(request);
  if (!window.Exists()) return;
  result.Format("[%s] %s", label, ShownToHost(name).c_str());
  SendResult(window, result);
}

// cached: the folder's copies, or null to read every memo.
void SearchFolder(MemoFileOps& ops, const SearchRequest& request, const char* folderPath, const char* label, const KeywordMatcher& matcher,
                  CachedFolder* cached, CString& result) {
  CSerchFiles engine(ops, folderPath, 0);
  const CStringArray* files = engine.gFc_GetListFiles();
  // One scanner for the folder: its buffer serves every memo in turn.
  MemoScanner scanner(matcher, &request.stopFlag);
  std::vector<char> bytes;
  size_t length = 0;
  std::string holder;
  for (int i = 0; i < files->GetSize(); ++i) {
    if (StopRequested(&request.stopFlag)) return;
    const char* name = SkipLeadingBlanks(files->GetAt(i));
    if (*name == '*') continue;
    const ListedStamp& stamp = engine.StampAt(i);
    ScanView view;
    if (cached && cached->Find(name, stamp, view)) {
      if (ScanMemoView(view, matcher, &request.stopFlag) == ScanResult::Match) Report(request, label, name, result);
      continue;
    }
    // A path that does not fit could not be opened either.
    char path[MemoPathSize];
    if (!FormMemoFilePath(folderPath, name, "", path, sizeof(path))) continue;
    // A name that Windows takes for a device is read by its literal path: the
    // device's read may never return.
    MemoFileReader reader(ops, IsReservedDeviceName(name) ? LiteralPath(path).c_str() : path);
    if (!reader.IsOpen()) continue;
    if (cached && reader.ReadWhole(stamp.size, cached->Room(), bytes, length)) {
      reader.Close();
      view = ScanViewOf(bytes.data(), length, holder);
      ScanResult found = ScanMemoView(view, matcher, &request.stopFlag);
      if (found == ScanResult::Stopped) return;
      cached->Keep(name, stamp, view);
      if (found == ScanResult::Match) Report(request, label, name, result);
      continue;
    }
    while (scanner.Scan(reader) == ScanResult::Match) {
      // The window is gone: nothing is sent, and the memo is still read on to
      // its end as the host's search contract has it.
      if (!ResultWindow(request).Exists()) continue;
      // The host may take its time over the result: the memo is let go
      // first, so that a save of it meanwhile can replace the file.
      reader.Close();
      Report(request, label, name, result);
      break;
    }
  }
  if (cached) cached->DropUnlisted();
}

// The tool's cache for the length of one search, when no other search holds it.
class HeldCache {
public:
  explicit HeldCache(SearchCache& shared) : cache(shared.TryHold() ? &shared : nullptr) {}
  ~HeldCache() {
    if (cache) cache->Release();
  }
  HeldCache(const HeldCache&) = delete;
  HeldCache& operator=(const HeldCache&) = delete;
  SearchCache* operator->() const { return cache; }
  explicit operator bool() const { return cache != nullptr; }

private:
  SearchCache* cache;
};

}  // namespace

int ToolPanel::SearchMemos(SearchRequest* request, const char* keyword) {
  if (!request) return 0;
  if (request->searchMode != 0) {
    CWindow window = ResultWindow(*request);
    if (window.Exists()) SendResult(window, CString(unsupportedModeText));
    return 0;
  }
  KeywordMatcher matcher(keyword);
  // One string object for every result: the host reads it only while it
  // handles each message.
  CString result;
  HeldCache cache(searchCache);
  ToolSettings settings = Settings();
  for (int folder = 1; folder <= 5; ++folder) {
    // An unset folder has no memos: searching "\\" would read a drive's root.
    std::string folderPath;
    if (!settings.FolderPath(folder, folderPath)) {
      if (cache) cache->Forget(folder);
      continue;
    }
    std::string name = settings.Read(FolderNameKey(folder));
    CString label;
    if (!name.empty())
      label.Format("%sﾌｫﾙﾀﾞ", name.c_str());
    else
      label.Format("ﾒﾓﾌｫﾙﾀﾞ:%d", folder);
    SearchFolder(memo.Ops(), *request, folderPath.c_str(), label, matcher, cache ? cache->Folder(folder, folderPath.c_str()) : nullptr,
                 result);
  }
  return 0;
}
