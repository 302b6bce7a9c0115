#include "store/RecoveryFolder.h"

#include <cstdio>

namespace {

const char recordExtension[] = ".rcv";
const char lockExtension[] = ".lock";

}  // namespace

RecoveryFolder::RecoveryFolder(MemoFileOps& fileOps) : ops(&fileOps), serial(0), lock(INVALID_HANDLE_VALUE), written(false) {
  static LONG instances = 0;
  char mark[32];
  snprintf(mark, sizeof(mark), "%08lx%08lx%04lx", ::GetCurrentProcessId(), ::GetTickCount(), ::InterlockedIncrement(&instances));
  owner = mark;
}

RecoveryFolder::~RecoveryFolder() { Release(); }

const std::string& RecoveryFolder::Path() {
  if (path.empty()) path = LocalDataFolder("Recovery");
  return path;
}

std::string RecoveryFolder::RecordPath() { return Path() + owner + recordExtension; }

bool RecoveryFolder::Write(RecoveryRecord& record, bool forNextStart) {
  if (Path().empty()) {
    ::SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  if (lock == INVALID_HANDLE_VALUE) {
    CreateFolders(*ops, path);
    // Held open while this instance runs: others cannot open it for writing
    // until the process ends, however it ends; a crash leaves it to the next
    // start, which then finds nobody holding it.
    lock = ops->Open((path + owner + lockExtension).c_str(), GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE);
  }
  record.owner = forNextStart ? std::string() : owner;
  record.serial = ++serial;
  record.home = home;
  if (!ReplaceFileWhole(*ops, RecordPath().c_str(), FormatRecoveryRecord(record))) return false;
  written = true;
  return true;
}

void RecoveryFolder::Remove() {
  if (!written) return;
  if (DeleteMemoFile(*ops, RecordPath().c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND) written = false;
}

void RecoveryFolder::Release() {
  if (lock != INVALID_HANDLE_VALUE) ops->Close(lock);
  lock = INVALID_HANDLE_VALUE;
}

bool RecoveryFolder::OwnerRunning(const std::string& other) {
  if (other == owner) return true;
  std::string lockPath = path + other + lockExtension;
  HANDLE held = ops->Open(lockPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL);
  if (held == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_SHARING_VIOLATION;
  // Left by a system that went down with its owner.
  ops->Close(held);
  ops->Delete(lockPath.c_str());
  return false;
}

std::vector<RecoveryFolder::Found> RecoveryFolder::Abandoned() {
  std::vector<Found> found;
  if (Path().empty()) return found;
  for (const char* pattern : {"*.rcv", "~sb*.tmp"}) {
    bool temporary = pattern[0] == '~';
    FoundFile entry;
    HANDLE find = ops->FindFirst((path + pattern).c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) continue;
    do {
      Found record;
      record.path = path + entry.name;
      std::string bytes;
      MemoFileStamp stamp;
      record.readable =
          LoadMemoFile(*ops, record.path.c_str(), bytes, stamp) == MemoLoadResult::Loaded && ParseRecoveryRecord(bytes, record.record);
      if (record.readable && !record.record.owner.empty() && OwnerRunning(record.record.owner)) continue;
      if (!record.readable && temporary) {
        // A record write that stopped before its end: the record it was to
        // replace still holds the edits. One still being written is held open.
        if (!IsFileInUse(*ops, record.path.c_str())) ops->Delete(record.path.c_str());
        continue;
      }
      found.push_back(record);
    } while (ops->FindNext(find, &entry));
    ops->FindClose(find);
  }
  return found;
}
