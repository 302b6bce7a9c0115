#include "MemoFile.h"

#include <cstdio>

#include "MemoChecksum.h"
#include "MemoPaths.h"

namespace {

// Larger files are shown cut and never written, so what lies beyond this
// only costs memory.
const size_t loadLimit = 32 * 1024 * 1024;
const DWORD readBlock = 256 * 1024;
// Attributes a replaced file hands on to its new text.
const DWORD keptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

const int renameAttempts = 10;
const DWORD renameRetryMs = 20;

bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

ULONGLONG SizeOf(DWORD high, DWORD low) { return (static_cast<ULONGLONG>(high) << 32) | low; }

bool SameTime(const FILETIME& a, const FILETIME& b) { return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime; }

bool WriteAll(MemoFileOps& ops, HANDLE file, const std::string& bytes) {
  for (size_t done = 0; done < bytes.size();) {
    DWORD chunk = bytes.size() - done > readBlock ? readBlock : static_cast<DWORD>(bytes.size() - done);
    DWORD written = 0;
    if (!ops.Write(file, bytes.data() + done, chunk, &written) || written == 0) return false;
    done += written;
  }
  return true;
}

void StampWritten(const char* path, const std::string& bytes, MemoFileStamp& stamp) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  stamp.exists = true;
  stamp.checksum = MemoChecksum(bytes.data(), bytes.size());
  if (::GetFileAttributesExA(path, GetFileExInfoStandard, &data)) {
    stamp.size = SizeOf(data.nFileSizeHigh, data.nFileSizeLow);
    stamp.lastWrite = data.ftLastWriteTime;
  } else {
    // Unknown: the next check reads the file and compares the checksum.
    stamp.size = bytes.size();
    stamp.lastWrite = FILETIME{0, 0};
  }
}

}  // namespace

MemoFileOps::~MemoFileOps() {}

HANDLE MemoFileOps::CreateTemporary(const char* folder, char* path) {
  // The name ends in ".tmp", so neither it nor its short name ever matches
  // the memo list's "*.txt" and "*.htm*". One call makes and opens it: a
  // save pays for every call to the file system.
  static LONG serial = 0;
  DWORD unique = ::GetTickCount() ^ (::GetCurrentProcessId() << 16);
  for (int attempt = 0; attempt < 100; ++attempt) {
    int length = snprintf(path, MAX_PATH, "%s~sb%08lx.tmp", folder, static_cast<unsigned long>(unique + ::InterlockedIncrement(&serial)));
    if (length < 0 || length >= MAX_PATH) {
      ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
      return INVALID_HANDLE_VALUE;
    }
    HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

BOOL MemoFileOps::Write(HANDLE file, const void* data, DWORD size, DWORD* written) { return ::WriteFile(file, data, size, written, NULL); }

BOOL MemoFileOps::Flush(HANDLE file) { return ::FlushFileBuffers(file); }

BOOL MemoFileOps::Close(HANDLE file) { return ::CloseHandle(file); }

BOOL MemoFileOps::Rename(const char* temporary, const char* target, bool replaceExisting) {
  DWORD flags = MOVEFILE_WRITE_THROUGH | (replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
  // A reader that holds the target a moment (a search, a virus scanner)
  // makes the replace fail until it lets go.
  for (int attempt = 1;; ++attempt) {
    if (::MoveFileExA(temporary, target, flags)) return TRUE;
    DWORD error = ::GetLastError();
    if (attempt == renameAttempts || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) return FALSE;
    ::Sleep(renameRetryMs);
  }
}

BOOL MemoFileOps::Delete(const char* path) { return ::DeleteFileA(path); }

HANDLE MemoFileOps::OpenForRead(const char* path) {
  // Other programs may go on reading, writing and replacing the file meanwhile.
  return ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                       FILE_FLAG_SEQUENTIAL_SCAN, NULL);
}

BOOL MemoFileOps::Read(HANDLE file, void* buffer, DWORD size, DWORD* read) { return ::ReadFile(file, buffer, size, read, NULL); }

MemoFileOps& PlatformMemoFileOps() {
  static MemoFileOps platform;
  return platform;
}

MemoLoadResult LoadMemoFile(MemoFileOps& ops, const char* path, std::string& bytes, MemoFileStamp& stamp) {
  bytes.clear();
  stamp = MemoFileStamp();
  HANDLE file = ops.OpenForRead(path);
  if (file == INVALID_HANDLE_VALUE) return IsMissing(::GetLastError()) ? MemoLoadResult::Missing : MemoLoadResult::Unreadable;
  BY_HANDLE_FILE_INFORMATION info;
  if (::GetFileInformationByHandle(file, &info)) {
    stamp.size = SizeOf(info.nFileSizeHigh, info.nFileSizeLow);
    stamp.lastWrite = info.ftLastWriteTime;
    bytes.reserve(stamp.size < loadLimit ? static_cast<size_t>(stamp.size) : loadLimit);
  }
  MemoLoadResult result = MemoLoadResult::Loaded;
  while (bytes.size() < loadLimit) {
    size_t kept = bytes.size();
    bytes.resize(kept + readBlock);
    DWORD got = 0;
    bool ok = ops.Read(file, &bytes[kept], readBlock, &got) != FALSE;
    bytes.resize(kept + got);
    // A failed read is never the end of the file: what follows is unknown.
    if (!ok) {
      result = MemoLoadResult::ReadError;
      break;
    }
    if (got == 0) break;
  }
  ::CloseHandle(file);
  stamp.exists = true;
  stamp.checksum = MemoChecksum(bytes.data(), bytes.size());
  return result;
}

namespace {

// Writes bytes to a new temporary file beside path, flushed to the disk, then
// gives it path's name in one step and flushes the folder. It takes the
// creation time and attributes of replaced, the file it replaces, if any.
bool WriteBesideThenRename(MemoFileOps& ops, const char* path, const std::string& bytes, bool replace,
                           const WIN32_FILE_ATTRIBUTE_DATA* replaced) {
  std::string folder(path, FileNamePart(path) - path);
  char temporary[MAX_PATH];
  HANDLE file = ops.CreateTemporary(folder.c_str(), temporary);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(ops, file, bytes) && ops.Flush(file);
  // The new text takes the old one's place with its creation time and
  // attributes, as an edit in place would leave them.
  if (ok && replaced) ::SetFileTime(file, &replaced->ftCreationTime, NULL, NULL);
  if (!ops.Close(file)) ok = false;
  if (ok && replaced && (replaced->dwFileAttributes & keptAttributes))
    ::SetFileAttributesA(temporary, replaced->dwFileAttributes & keptAttributes);
  // One rename: at every moment the memo's name holds either the old text or
  // the new one, whatever stops the program.
  if (ok) ok = ops.Rename(temporary, path, replace) != FALSE;
  if (!ok) {
    DWORD error = ::GetLastError();
    ops.Delete(temporary);
    ::SetLastError(error);
    return false;
  }
  FlushFolderOf(path);
  return true;
}

bool WriteMemoFile(MemoFileOps& ops, const char* path, const std::string& bytes, MemoFileStamp& stamp, bool mayReplace) {
  WIN32_FILE_ATTRIBUTE_DATA replaced;
  bool replacing = ::GetFileAttributesExA(path, GetFileExInfoStandard, &replaced) != FALSE;
  if (replacing && !mayReplace) {
    ::SetLastError(ERROR_FILE_EXISTS);
    return false;
  }
  if (!WriteBesideThenRename(ops, path, bytes, replacing, replacing ? &replaced : NULL)) return false;
  StampWritten(path, bytes, stamp);
  return true;
}

}  // namespace

bool SaveMemoFile(MemoFileOps& ops, const char* path, const std::string& bytes, MemoFileStamp& stamp) {
  return WriteMemoFile(ops, path, bytes, stamp, true);
}

bool CreateMemoFile(MemoFileOps& ops, const char* path, const std::string& bytes, MemoFileStamp& stamp) {
  return WriteMemoFile(ops, path, bytes, stamp, false);
}

bool ReplaceFileWhole(MemoFileOps& ops, const char* path, const std::string& bytes) {
  return WriteBesideThenRename(ops, path, bytes, true, NULL);
}

void FlushFolderOf(const char* path) {
  std::string folder(path, FileNamePart(path) - path);
  // "C:\" is a root and keeps its backslash; any other folder is opened by its name.
  if (folder.size() > 1 && folder.back() == '\\' && folder[folder.size() - 2] != ':') folder.pop_back();
  // Write access is what lets the flush through; nothing is written.
  HANDLE handle = ::CreateFileA(folder.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, NULL);
  if (handle == INVALID_HANDLE_VALUE) return;
  ::FlushFileBuffers(handle);
  ::CloseHandle(handle);
}

MemoDiskState CheckMemoFile(MemoFileOps& ops, const char* path, MemoFileStamp& stamp) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &data)) {
    if (!IsMissing(::GetLastError())) return MemoDiskState::Unchanged;
    return stamp.exists ? MemoDiskState::Vanished : MemoDiskState::Unchanged;
  }
  if (stamp.exists && SizeOf(data.nFileSizeHigh, data.nFileSizeLow) == stamp.size && SameTime(data.ftLastWriteTime, stamp.lastWrite))
    return MemoDiskState::Unchanged;
  std::string current;
  MemoFileStamp currentStamp;
  if (LoadMemoFile(ops, path, current, currentStamp) != MemoLoadResult::Loaded) return MemoDiskState::Changed;
  if (!stamp.exists || currentStamp.size != stamp.size || currentStamp.checksum != stamp.checksum) return MemoDiskState::Changed;
  stamp = currentStamp;
  return MemoDiskState::Unchanged;
}

bool IsMemoFileReadOnly(const char* path) {
  DWORD attributes = ::GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

bool IsFileInUse(const char* path) {
  HANDLE file = ::CreateFileA(path, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_SHARING_VIOLATION;
  ::CloseHandle(file);
  return false;
}

bool CreateEmptyMemoFile(const char* path) {
  HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  FlushFolderOf(path);
  return true;
}

bool DeleteMemoFile(const char* path) {
  if (!::DeleteFileA(path)) return false;
  FlushFolderOf(path);
  return true;
}

bool RenameMemoFile(const char* from, const char* to) {
  bool moved = ::MoveFileExA(from, to, MOVEFILE_WRITE_THROUGH) != FALSE;
  if (!moved && ::GetLastError() == ERROR_NOT_SAME_DEVICE) {
    // The copy is whole and on the disk before the original goes.
    std::string bytes;
    MemoFileStamp stamp;
    if (LoadMemoFile(PlatformMemoFileOps(), from, bytes, stamp) != MemoLoadResult::Loaded ||
        !CreateMemoFile(PlatformMemoFileOps(), to, bytes, stamp))
      return false;
    if (!::DeleteFileA(from)) {
      DWORD error = ::GetLastError();
      DeleteMemoFile(to);
      ::SetLastError(error);
      return false;
    }
    moved = true;
  }
  if (!moved) return false;
  FlushFolderOf(to);
  FlushFolderOf(from);
  return true;
}

bool CopyToNewMemoFile(MemoFileOps& ops, const char* source, const char* destination) {
  if (::GetFileAttributesA(destination) != INVALID_FILE_ATTRIBUTES) {
    ::SetLastError(ERROR_FILE_EXISTS);
    return false;
  }
  std::string folder(destination, FileNamePart(destination) - destination);
  char temporary[MAX_PATH];
  HANDLE file = ops.CreateTemporary(folder.c_str(), temporary);
  if (file == INVALID_HANDLE_VALUE) return false;
  ops.Close(file);
  // The copy goes to a name nobody lists; only a whole, flushed copy takes the memo's name.
  bool ok = ::CopyFileA(source, temporary, FALSE) != FALSE;
  if (ok) {
    HANDLE copy = ::CreateFileA(temporary, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ok = copy != INVALID_HANDLE_VALUE && ops.Flush(copy);
    if (copy != INVALID_HANDLE_VALUE) ops.Close(copy);
  }
  if (ok) ok = ops.Rename(temporary, destination, false) != FALSE;
  if (!ok) {
    DWORD error = ::GetLastError();
    ops.Delete(temporary);
    ::SetLastError(error);
    return false;
  }
  FlushFolderOf(destination);
  return true;
}
