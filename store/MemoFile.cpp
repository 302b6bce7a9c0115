#include "store/MemoFile.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "core/MemoChecksum.h"
#include "core/MemoPaths.h"

namespace {

// Larger files are shown cut and never written, so what lies beyond this
// only costs memory.
const size_t loadLimit = 32 * 1024 * 1024;
const DWORD readBlock = 256 * 1024;
// Attributes a replaced file hands on to its new text.
const DWORD keptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Virus scanners, indexers and sync clients hold freshly written files for a
// moment, and Windows refuses to replace a file while any handle to it is
// open. The waits grow to about two seconds in all: the host waits meanwhile.
const DWORD renameWaitsMs[] = {10, 20, 40, 80, 150, 250, 400, 500, 550};

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

bool IsBusy(DWORD error) { return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

// The stamp of what was written, taken from the written file's own handle:
// a write of another program landing on the name after the rename is never
// taken for ours.
void StampWritten(HANDLE file, const std::string& bytes, MemoFileStamp& stamp) {
  BY_HANDLE_FILE_INFORMATION info;
  stamp.exists = true;
  stamp.checksum = MemoChecksum(bytes.data(), bytes.size());
  stamp.size = bytes.size();
  // Unknown, the next check reads the file and compares the checksum.
  stamp.lastWrite = FILETIME{0, 0};
  if (::GetFileInformationByHandle(file, &info)) stamp.lastWrite = info.ftLastWriteTime;
}

// A temporary name of as many hex digits as the folder leaves room for:
// "~sb" and eight digits and ".tmp" where they fit, else as few as two
// digits, so that a folder that takes the memo's own name takes it too.
bool FormTemporaryName(const char* folder, DWORD unique, char* path) {
  size_t room = MAX_PATH - 1 - strlen(folder);
  if (strlen(folder) >= MAX_PATH - 1 || room < 5) return false;
  if (room >= 15)
    snprintf(path, MAX_PATH, "%s~sb%08lx.tmp", folder, static_cast<unsigned long>(unique));
  else
    snprintf(path, MAX_PATH, "%s~sb%0*lx", folder, static_cast<int>(room - 3),
             static_cast<unsigned long>(unique & (0xFFFFFFFFul >> (4 * (8 - (room - 3 < 8 ? room - 3 : 8))))));
  return true;
}

}  // namespace

MemoFileOps::~MemoFileOps() {}

HANDLE MemoFileOps::CreateTemporary(const char* folder, char* path) {
  // The name ends in ".tmp", so neither it nor its short name ever matches
  // the memo list's "*.txt" and "*.htm*". One call makes and opens it: a
  // save pays for every call to the file system.
  static LONG serial = 0;
  DWORD unique = ::GetTickCount() ^ (::GetCurrentProcessId() << 16);
  for (int attempt = 0; attempt < 300; ++attempt) {
    if (!FormTemporaryName(folder, unique + ::InterlockedIncrement(&serial), path)) {
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
  for (DWORD wait : renameWaitsMs) {
    if (::MoveFileExA(temporary, target, flags)) return TRUE;
    if (!IsBusy(::GetLastError())) return FALSE;
    ::Sleep(wait);
  }
  return ::MoveFileExA(temporary, target, flags);
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
  // A device's read may never return.
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    ::CloseHandle(file);
    return MemoLoadResult::Unreadable;
  }
  BY_HANDLE_FILE_INFORMATION info;
  // One byte more than the file's size is asked for at first: a whole read
  // that comes short of it is the end, with no second call to confirm it.
  DWORD block = readBlock;
  if (::GetFileInformationByHandle(file, &info)) {
    stamp.size = SizeOf(info.nFileSizeHigh, info.nFileSizeLow);
    stamp.lastWrite = info.ftLastWriteTime;
    stamp.links = info.nNumberOfLinks;
    if (stamp.size < loadLimit) block = static_cast<DWORD>(stamp.size) + 1;
  }
  MemoLoadResult result = MemoLoadResult::Loaded;
  while (bytes.size() < loadLimit) {
    size_t kept = bytes.size();
    bytes.resize(kept + block);
    DWORD got = 0;
    bool ok = ops.Read(file, &bytes[kept], block, &got) != FALSE;
    bytes.resize(kept + got);
    // A failed read is never the end of the file: what follows is unknown.
    if (!ok) {
      result = MemoLoadResult::ReadError;
      break;
    }
    if (got < block) break;
    block = readBlock;
  }
  ::CloseHandle(file);
  stamp.exists = true;
  stamp.checksum = MemoChecksum(bytes.data(), bytes.size());
  return result;
}

namespace {

// The last step of every write beside a memo: when the temporary file is
// whole (ok), one rename gives it the memo's name, so that at every moment
// the name holds either the old text or the new one, whatever stops the
// program; then the folder is flushed. On failure the temporary file goes,
// and the error stays for the caller.
bool RenameIntoPlace(MemoFileOps& ops, bool ok, const char* temporary, const char* path, bool replace) {
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

// Writes bytes to a new temporary file beside path, flushed to the disk, then
// gives it path's name in one step and flushes the folder. It takes the
// creation time and attributes of replaced, the file it replaces, if any.
bool WriteBesideThenRename(MemoFileOps& ops, const char* path, const std::string& bytes, bool replace,
                           const WIN32_FILE_ATTRIBUTE_DATA* replaced, MemoFileStamp* stamp) {
  std::string folder(path, FileNamePart(path) - path);
  char temporary[MAX_PATH];
  HANDLE file = ops.CreateTemporary(folder.c_str(), temporary);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(ops, file, bytes) && ops.Flush(file);
  // The new text takes the old one's place with its creation time and
  // attributes, as an edit in place would leave them.
  if (ok && replaced) ::SetFileTime(file, &replaced->ftCreationTime, NULL, NULL);
  if (ok && stamp) StampWritten(file, bytes, *stamp);
  if (!ops.Close(file)) ok = false;
  if (ok && replaced && (replaced->dwFileAttributes & keptAttributes))
    ::SetFileAttributesA(temporary, replaced->dwFileAttributes & keptAttributes);
  return RenameIntoPlace(ops, ok, temporary, path, replace);
}

bool WriteMemoFile(MemoFileOps& ops, const char* path, const std::string& bytes, MemoFileStamp& stamp, bool mayReplace) {
  WIN32_FILE_ATTRIBUTE_DATA replaced;
  bool replacing = ::GetFileAttributesExA(path, GetFileExInfoStandard, &replaced) != FALSE;
  if (replacing && !mayReplace) {
    ::SetLastError(ERROR_FILE_EXISTS);
    return false;
  }
  MemoFileStamp written;
  if (!WriteBesideThenRename(ops, path, bytes, replacing, replacing ? &replaced : NULL, &written)) return false;
  stamp = written;
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
  return WriteBesideThenRename(ops, path, bytes, true, NULL, NULL);
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

MemoDiskState CheckMemoFile(MemoFileOps& ops, const char* path, MemoFileStamp& stamp, bool byContent) {
  if (!byContent) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &data)) {
      if (!IsMissing(::GetLastError())) return MemoDiskState::Unchanged;
      return stamp.exists ? MemoDiskState::Vanished : MemoDiskState::Unchanged;
    }
    if (stamp.exists && SizeOf(data.nFileSizeHigh, data.nFileSizeLow) == stamp.size && SameTime(data.ftLastWriteTime, stamp.lastWrite))
      return MemoDiskState::Unchanged;
  }
  // Read into a buffer the thread keeps: a check before every save would
  // otherwise pay for fresh pages each time.
  static thread_local std::string current;
  MemoFileStamp currentStamp;
  switch (LoadMemoFile(ops, path, current, currentStamp)) {
    case MemoLoadResult::Loaded:
      break;
    case MemoLoadResult::Missing:
      return stamp.exists ? MemoDiskState::Vanished : MemoDiskState::Unchanged;
    default:
      return MemoDiskState::Changed;
  }
  if (!stamp.exists || currentStamp.size != stamp.size || currentStamp.checksum != stamp.checksum) return MemoDiskState::Changed;
  stamp = currentStamp;
  return MemoDiskState::Unchanged;
}

bool IsMemoFileReadOnly(const char* path) {
  DWORD attributes = ::GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

bool WriteTargetOf(const char* path, std::string& target) {
  typedef DWORD(WINAPI * FinalPathFunction)(HANDLE, LPSTR, DWORD, DWORD);
  // Windows before Vista has no symbolic links to files, nor this call.
  static FinalPathFunction finalPath =
      reinterpret_cast<FinalPathFunction>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
  target = path;
  DWORD attributes = ::GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  HANDLE file =
      ::CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
  char final[MAX_PATH + 8];
  DWORD length = file != INVALID_HANDLE_VALUE && finalPath ? finalPath(file, final, sizeof(final), 0) : 0;
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  if (length == 0 || length >= sizeof(final)) return !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  std::string resolved = final;
  if (resolved.compare(0, 8, "\\\\?\\UNC\\") == 0)
    resolved = "\\\\" + resolved.substr(8);
  else if (resolved.compare(0, 4, "\\\\?\\") == 0)
    resolved = resolved.substr(4);
  if (resolved.size() >= MAX_PATH) return false;
  if (::lstrcmpiA(resolved.c_str(), path) != 0) target = resolved;
  return true;
}

std::string LiteralPath(const char* path) {
  if (path[0] == '\\' && path[1] == '\\') return std::string("\\\\?\\UNC\\") + (path + 2);
  return std::string("\\\\?\\") + path;
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

bool MoveMemoFileToTrash(const char* path) {
  // The list of files ends with an empty name.
  std::string files(path);
  files.push_back('\0');
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = files.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  int result = ::SHFileOperationA(&operation);
  // Its results are not all the platform's error codes, and some failures
  // report none: the file still being there is what counts.
  if (result != 0 || operation.fAnyOperationsAborted || ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
    ::SetLastError(result > 0 && result < 0x70 ? static_cast<DWORD>(result) : ERROR_ACCESS_DENIED);
    return false;
  }
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
  if (FileNamePart(from) - from != FileNamePart(to) - to || _strnicmp(from, to, FileNamePart(to) - to) != 0) FlushFolderOf(from);
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
  return RenameIntoPlace(ops, ok, temporary, destination, false);
}
