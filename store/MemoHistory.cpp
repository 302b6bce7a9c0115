#include "store/MemoHistory.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/HistorySchedule.h"

namespace {

const char indexName[] = "index.txt";
// Versions are named 20261208-101530-123.txt: the parse tells them from the index.
const char versionPattern[] = "*-*-*.*";

uint64_t Ticks(const FILETIME& time) { return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime; }

// 20261208-101530-123, with -2, -3... for a second version in one millisecond.
std::string VersionName(uint64_t ticks, int serial) {
  FILETIME time = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME at;
  ::FileTimeToSystemTime(&time, &at);
  char name[40];
  snprintf(name, sizeof(name), "%04u%02u%02u-%02u%02u%02u-%03u", at.wYear, at.wMonth, at.wDay, at.wHour, at.wMinute, at.wSecond,
           at.wMilliseconds);
  return serial > 1 ? name + ("-" + std::to_string(serial)) : name;
}

bool ParseVersionName(const char* name, uint64_t& ticks) {
  unsigned year, month, day, hour, minute, second, millisecond;
  if (sscanf(name, "%4u%2u%2u-%2u%2u%2u-%3u", &year, &month, &day, &hour, &minute, &second, &millisecond) != 7) return false;
  SYSTEMTIME at = {static_cast<WORD>(year),   static_cast<WORD>(month),      0,
                   static_cast<WORD>(day),    static_cast<WORD>(hour),       static_cast<WORD>(minute),
                   static_cast<WORD>(second), static_cast<WORD>(millisecond)};
  FILETIME time;
  if (!::SystemTimeToFileTime(&at, &time)) return false;
  ticks = Ticks(time);
  return true;
}

// The memo's extension, so that the version opens as the memo does.
const char* ExtensionOf(const char* memoPath) {
  const char* dot = strrchr(memoPath, '.');
  return dot && !strchr(dot, '\\') ? dot : ".txt";
}

bool SameFile(MemoFileOps& ops, const char* a, const char* b) {
  BY_HANDLE_FILE_INFORMATION info[2];
  const char* paths[2] = {a, b};
  for (int i = 0; i < 2; ++i) {
    HANDLE file = ops.Open(paths[i], 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool known = ops.Info(file, &info[i]) != FALSE;
    ops.Close(file);
    if (!known) return false;
  }
  return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber && info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
         info[0].nFileIndexLow == info[1].nFileIndexLow;
}

}  // namespace

uint64_t HistoryNow() {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  return Ticks(now);
}

MemoHistory::~MemoHistory() {
  if (!pruning) return;
  ::InterlockedExchange(&stopping, 1);
  ::WaitForSingleObject(pruning, INFINITE);
  ::CloseHandle(pruning);
}

void MemoHistory::PruneInBackground() {
  if (pruning || Path().empty()) return;
  pruning = ::CreateThread(NULL, 0, PruneThread, this, 0, NULL);
}

DWORD WINAPI MemoHistory::PruneThread(void* history) {
  static_cast<MemoHistory*>(history)->Prune(HistoryNow());
  return 0;
}

const std::string& MemoHistory::Path() {
  if (path.empty()) path = LocalDataFolder("History");
  return path;
}

std::string MemoHistory::FolderOf(const char* memoPath) {
  if (Path().empty()) return std::string();
  // FNV-1a over the path with ASCII letters folded: Windows' names ignore their case.
  uint64_t hash = 14695981039346656037ull;
  for (const char* c = memoPath; *c; ++c)
    hash = (hash ^ static_cast<unsigned char>(*c >= 'a' && *c <= 'z' ? *c - 32 : *c)) * 1099511628211ull;
  char name[20];
  snprintf(name, sizeof(name), "%016llx\\", static_cast<unsigned long long>(hash));
  return path + name;
}

bool MemoHistory::Prepare(const std::string& folder, const char* memoPath, uint64_t deletedAt) {
  CreateFolders(*ops, folder);
  std::string index = "path=" + std::string(memoPath) + "\r\ndeleted=" + std::to_string(deletedAt) + "\r\n";
  return ReplaceFileWhole(*ops, (folder + indexName).c_str(), index);
}

std::string MemoHistory::Keep(const char* memoPath, const std::string& known, bool asCopy) {
  const std::string folder = FolderOf(memoPath);
  if (folder.empty()) return std::string();
  const uint64_t now = HistoryNow();
  bool prepared = false;
  for (int serial = 1; serial < 100; ++serial) {
    const std::string version = folder + VersionName(now, serial) + ExtensionOf(memoPath);
    bool linked = !asCopy && ops->Link(version.c_str(), memoPath);
    if (linked) FlushFolderOf(*ops, version.c_str());
    DWORD error = ::GetLastError();
    // On another volume, or a file system without second names: a copy.
    bool copy = !linked && (asCopy || (error != ERROR_ALREADY_EXISTS && error != ERROR_PATH_NOT_FOUND));
    MemoFileStamp stamp;
    if (linked || (copy && CreateMemoFile(*ops, version.c_str(), known, stamp))) return version;
    if (copy) error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) continue;
    // The memo's first version: its folder and index come first.
    if (error != ERROR_PATH_NOT_FOUND || prepared || !Prepare(folder, memoPath, 0)) break;
    prepared = true;
    --serial;
  }
  return std::string();
}

void MemoHistory::Drop(const std::string& version) {
  if (version.empty()) return;
  DWORD error = ::GetLastError();
  ops->Delete(version.c_str());
  ::SetLastError(error);
}

void MemoHistory::Follow(const char* oldPath, const char* newPath) {
  std::string from = FolderOf(oldPath), to = FolderOf(newPath);
  if (from.empty()) return;
  from.pop_back();
  to.pop_back();
  if (!ops->Move(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return;
  // The history's own folder holds the memo's under its new name only.
  FlushFolderOf(*ops, to.c_str());
  Prepare(to + "\\", newPath, 0);
}

void MemoHistory::MarkRemoved(const char* memoPath) {
  const std::string folder = FolderOf(memoPath);
  if (!folder.empty()) Prepare(folder, memoPath, HistoryNow());
}

bool MemoHistory::ReleaseLeftName(const char* memoPath) {
  for (const Version& version : VersionsIn(*ops, FolderOf(memoPath))) {
    if (!SameFile(*ops, version.path.c_str(), memoPath)) continue;
    if (!ops->Delete(version.path.c_str())) return false;
    FlushFolderOf(*ops, version.path.c_str());
    return true;
  }
  return false;
}

std::vector<MemoHistory::Version> MemoHistory::VersionsOf(const char* memoPath) { return VersionsIn(*ops, FolderOf(memoPath)); }

std::vector<MemoHistory::Version> MemoHistory::VersionsIn(MemoFileOps& calls, const std::string& folder) {
  std::vector<Version> versions;
  if (folder.empty()) return versions;
  FoundFile entry;
  HANDLE find = calls.FindFirst((folder + versionPattern).c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return versions;
  do {
    Version version;
    if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY || !ParseVersionName(entry.name.c_str(), version.time)) continue;
    version.path = folder + entry.name;
    version.size = entry.size;
    versions.push_back(version);
  } while (calls.FindNext(find, &entry));
  calls.FindClose(find);
  // Names sort as their times do; a second of one millisecond comes after it.
  std::sort(versions.begin(), versions.end(), [](const Version& a, const Version& b) {
    return a.time != b.time ? a.time > b.time : a.path.size() != b.path.size() ? a.path.size() > b.path.size() : a.path > b.path;
  });
  return versions;
}

void MemoHistory::Prune(uint64_t now) {
  if (Path().empty()) return;
  // The calls this pruning began with, whatever a test swaps in meanwhile.
  MemoFileOps& calls = *ops;
  std::vector<Version> all;
  std::vector<HistoryVersion> scheduled;
  std::vector<std::optional<uint64_t>> deletedAt;
  FoundFile entry;
  HANDLE find = calls.FindFirst((path + "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY) || entry.name[0] == '.') continue;
    const std::string folder = path + entry.name + "\\";
    std::string index;
    MemoFileStamp stamp;
    uint64_t deleted = 0;
    if (LoadMemoFile(calls, (folder + indexName).c_str(), index, stamp) == MemoLoadResult::Loaded) {
      size_t at = index.find("deleted=");
      if (at != std::string::npos) deleted = strtoull(index.c_str() + at + 8, NULL, 10);
    }
    // A memo made again under a deleted one's name has versions of its own after the deletion.
    const size_t gone = deletedAt.size(), again = gone + 1;
    deletedAt.push_back(deleted ? std::optional<uint64_t>(deleted) : std::nullopt);
    deletedAt.push_back(std::nullopt);
    for (const Version& version : VersionsIn(calls, folder)) {
      scheduled.push_back({deleted && version.time <= deleted ? gone : again, version.time, version.size});
      all.push_back(version);
    }
  } while (calls.FindNext(find, &entry));
  calls.FindClose(find);
  std::vector<bool> keep = VersionsToKeep(scheduled, deletedAt, now);
  for (size_t i = 0; i < all.size() && !stopping; ++i)
    if (!keep[i]) calls.Delete(all[i].path.c_str());
}
