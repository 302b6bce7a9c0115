#include "store/MemoFile.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "core/MemoPaths.h"
#include "core/NameText.h"
#include "core/MemoTitle.h"

namespace {

const DWORD readBlock = 256 * 1024;
// Attributes a replaced file hands on to its new text.
const DWORD keptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
// Attributes an imported or moved file keeps.
const DWORD copiedAttributes = FILE_ATTRIBUTE_READONLY | keptAttributes | FILE_ATTRIBUTE_ARCHIVE;
const DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Virus scanners, indexers and sync clients hold freshly written files for a
// moment, and Windows refuses to replace a file while any handle to it is
// open. The waits grow to about two seconds in all: the host waits meanwhile.
const DWORD renameWaitsMs[] = {10, 20, 40, 80, 150, 250, 400, 500, 550};

bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

bool IsBusy(DWORD error) { return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

ULONGLONG SizeOf(DWORD high, DWORD low) { return (static_cast<ULONGLONG>(high) << 32) | low; }

bool SameTime(const FILETIME& a, const FILETIME& b) { return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime; }

std::string FolderOf(const char* path) { return std::string(path, FileNamePart(path) - path); }

// Keeps the last error across the calls that clean up after a failure.
class KeptError {
public:
  KeptError() : error(::GetLastError()) {}
  ~KeptError() { ::SetLastError(error); }
  KeptError(const KeptError&) = delete;
  KeptError& operator=(const KeptError&) = delete;

private:
  DWORD error;
};

bool WriteAll(MemoFileOps& ops, HANDLE file, const char* data, size_t size) {
  for (size_t done = 0; done < size;) {
    DWORD chunk = size - done > readBlock ? readBlock : static_cast<DWORD>(size - done);
    DWORD written = 0;
    if (!ops.Write(file, data + done, chunk, &written)) return false;
    if (written == 0) {
      ::SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    done += written;
  }
  return true;
}

// A temporary name of as many hex digits as the folder leaves room for:
// "~sb" and eight digits and ".tmp" where they fit, else as few as two
// digits, so that a folder that takes the memo's own name takes it too.
bool FormTemporaryName(const std::string& folder, DWORD unique, char* path) {
  size_t used = Utf16Units(folder.c_str());
  size_t room = PlainPathUnits - 1 - used;
  if (used >= PlainPathUnits - 1 || room < 5) return false;
  if (room >= 15)
    snprintf(path, MemoPathSize, "%s~sb%08lx.tmp", folder.c_str(), static_cast<unsigned long>(unique));
  else
    snprintf(path, MemoPathSize, "%s~sb%0*lx", folder.c_str(), static_cast<int>(room - 3),
             static_cast<unsigned long>(unique & (0xFFFFFFFFul >> (4 * (8 - (room - 3 < 8 ? room - 3 : 8))))));
  return true;
}

// Tries make(path) on temporary names of folder (ending in a backslash) until
// one is free; the name ends in ".tmp", so neither it nor its short name
// ever matches the memo list's "*.txt" and "*.htm*".
template <typename Make>
bool OnFreeTemporaryName(const std::string& folder, char* path, Make make) {
  static LONG serial = 0;
  DWORD unique = ::GetTickCount() ^ (::GetCurrentProcessId() << 16);
  for (int attempt = 0; attempt < 300; ++attempt) {
    if (!FormTemporaryName(folder, unique + ::InterlockedIncrement(&serial), path)) {
      ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
      return false;
    }
    if (make(path)) return true;
    DWORD error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

// A new, empty file in folder, opened for writing; its path goes to path
// (MemoPathSize bytes).
HANDLE CreateTemporary(MemoFileOps& ops, const std::string& folder, char* path) {
  HANDLE file = INVALID_HANDLE_VALUE;
  OnFreeTemporaryName(folder, path, [&](const char* name) {
    file = ops.Open(name, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
    return file != INVALID_HANDLE_VALUE;
  });
  return file;
}

// Removes a temporary file whatever attributes it was given.
void DeleteTemporary(MemoFileOps& ops, const char* path) {
  KeptError kept;
  ops.SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
  ops.Delete(path);
}

thread_local WaitBudget* innermostBudget = nullptr;

// A rename that waits while a reader (a search, a virus scanner) holds the
// target a moment.
bool MoveWaiting(MemoFileOps& ops, const char* from, const char* to, DWORD flags) {
  for (DWORD wait : renameWaitsMs) {
    if (ops.Move(from, to, flags)) return true;
    if (!IsBusy(::GetLastError()) || !WaitBudget::Take(wait)) return false;
    ops.Wait(wait);
  }
  return ops.Move(from, to, flags) != FALSE;
}

// The last step of every write beside a memo: when the temporary file is
// whole (ok), one rename gives it the memo's name, so that at every moment
// the name holds either the old text or the new one, whatever stops the
// program; then the folder is flushed. On failure the temporary file goes,
// and the error stays for the caller.
bool RenameIntoPlace(MemoFileOps& ops, bool ok, const char* temporary, const char* path, bool replace) {
  DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  if (ok) ok = MoveWaiting(ops, temporary, path, flags);
  if (!ok) {
    DeleteTemporary(ops, temporary);
    return false;
  }
  FlushFolderOf(ops, path);
  return true;
}

// The stamp of what was written, taken from the written file's own handle:
// a write of another program landing on the name after the rename is never
// taken for ours.
void StampWritten(MemoFileOps& ops, HANDLE file, const std::string& bytes, MemoFileStamp& stamp) {
  stamp = MemoFileStamp();
  stamp.exists = true;
  stamp.size = bytes.size();
  // Unknown, the next check reads the file and compares its bytes.
  if (!ops.Times(file, &stamp.created, &stamp.lastWrite)) stamp.lastWrite = stamp.created = FILETIME{0, 0};
}

// Writes bytes to a new temporary file beside path, flushed to the disk, then
// gives it path's name in one step and flushes the folder. It takes the
// creation time and attributes of replaced, the file it replaces, if any.
bool WriteBesideThenRename(MemoFileOps& ops, const char* path, const std::string& bytes, bool replace, const MemoFileStamp* replaced,
                           MemoFileStamp* stamp) {
  char temporary[MemoPathSize];
  HANDLE file = CreateTemporary(ops, FolderOf(path), temporary);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(ops, file, bytes.data(), bytes.size()) && ops.Flush(file);
  // The new text takes the old one's place with its creation time and
  // attributes, as an edit in place would leave them.
  if (ok && replaced) ops.SetTimes(file, &replaced->created, NULL, NULL);
  if (ok && stamp) StampWritten(ops, file, bytes, *stamp);
  if (!ops.Close(file)) ok = false;
  if (ok && replaced && (replaced->attributes & keptAttributes)) ops.SetAttributes(temporary, replaced->attributes & keptAttributes);
  return RenameIntoPlace(ops, ok, temporary, path, replace);
}

bool WriteWhole(MemoFileOps& ops, const char* path, const std::string& bytes, MemoFileStamp& stamp, bool mayReplace,
                const MemoFileStamp* known) {
  MemoFileStamp replaced;
  if (known) {
    replaced = *known;
  } else {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    replaced.exists = ops.Attributes(path, &data) != FALSE;
    replaced.created = data.ftCreationTime;
    replaced.attributes = data.dwFileAttributes;
  }
  if (replaced.exists && !mayReplace) {
    ::SetLastError(ERROR_FILE_EXISTS);
    return false;
  }
  MemoFileStamp written;
  if (!WriteBesideThenRename(ops, path, bytes, replaced.exists, replaced.exists ? &replaced : NULL, &written)) return false;
  stamp = written;
  return true;
}

// Opens a file to read it, while others may go on reading, writing and
// replacing it. A device's read may never return: only a file on a disk is
// opened.
HANDLE OpenToRead(MemoFileOps& ops, const char* path) {
  HANDLE file = ops.Open(path, GENERIC_READ, shareAll, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
  if (file == INVALID_HANDLE_VALUE || ops.FileType(file) == FILE_TYPE_DISK) return file;
  ops.Close(file);
  ::SetLastError(ERROR_INVALID_FUNCTION);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

WaitBudget::WaitBudget(DWORD milliseconds) : left(milliseconds), outer(innermostBudget) { innermostBudget = this; }

WaitBudget::~WaitBudget() { innermostBudget = outer; }

bool WaitBudget::Take(DWORD milliseconds) {
  if (!innermostBudget) return true;
  if (innermostBudget->left < milliseconds) return false;
  innermostBudget->left -= milliseconds;
  return true;
}

MemoLoadResult LoadMemoFile(MemoFileOps& ops, const char* path, std::string& bytes, MemoFileStamp& stamp) {
  bytes.clear();
  stamp = MemoFileStamp();
  HANDLE file = OpenToRead(ops, path);
  if (file == INVALID_HANDLE_VALUE) return IsMissing(::GetLastError()) ? MemoLoadResult::Missing : MemoLoadResult::Unreadable;
  // One byte more than the file's size is asked for at first: a whole read
  // that comes short of it is the end, with no second call to confirm it.
  DWORD block = readBlock;
  if (ops.Size(file, &stamp.size) && stamp.size < MemoLoadLimit) block = static_cast<DWORD>(stamp.size) + 1;
  ops.Times(file, &stamp.created, &stamp.lastWrite);
  MemoLoadResult result = MemoLoadResult::Loaded;
  for (;;) {
    if (bytes.size() >= MemoLoadLimit) {
      bytes.resize(MemoLoadLimit);
      result = MemoLoadResult::TooLarge;
      break;
    }
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
  // The limit reached exactly at the file's end leaves nothing out.
  if (result == MemoLoadResult::TooLarge && stamp.size == MemoLoadLimit) result = MemoLoadResult::Loaded;
  ops.Close(file);
  stamp.exists = true;
  return result;
}

bool SaveMemoFile(MemoFileOps& ops, const char* path, const std::string& bytes, MemoFileStamp& stamp, const MemoFileStamp* replaced) {
  return WriteWhole(ops, path, bytes, stamp, true, replaced);
}

bool CreateMemoFile(MemoFileOps& ops, const char* path, const std::string& bytes, MemoFileStamp& stamp) {
  return WriteWhole(ops, path, bytes, stamp, false, nullptr);
}

bool ReplaceFileWhole(MemoFileOps& ops, const char* path, const std::string& bytes) {
  return WriteBesideThenRename(ops, path, bytes, true, NULL, NULL);
}

void FlushFolderOf(MemoFileOps& ops, const char* path) {
  std::string folder = FolderOf(path);
  // "C:\" is a root and keeps its backslash; any other folder is opened by its name.
  if (folder.size() > 1 && folder.back() == '\\' && folder[folder.size() - 2] != ':') folder.pop_back();
  // Write access is what lets the flush through; nothing is written.
  KeptError kept;
  HANDLE handle = ops.Open(folder.c_str(), GENERIC_WRITE, shareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  if (handle == INVALID_HANDLE_VALUE) return;
  ops.Flush(handle);
  ops.Close(handle);
}

std::string LocalDataFolder(const char* leaf) {
  wchar_t appData[MAX_PATH];
  if (FAILED(::SHGetFolderPathW(NULL, CSIDL_LOCAL_APPDATA, NULL, SHGFP_TYPE_CURRENT, appData))) return std::string();
  return Utf8FromUtf16(reinterpret_cast<const char16_t*>(appData), wcslen(appData)) + "\\Scribbit\\" + leaf + "\\";
}

void CreateFolders(MemoFileOps& ops, const std::string& path) {
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
    std::string folder = path.substr(0, at);
    if (ops.MakeFolder(folder.c_str())) FlushFolderOf(ops, folder.c_str());
  }
}

MemoDiskState CheckMemoFile(MemoFileOps& ops, const char* path, MemoFileStamp& stamp, const std::string& known, bool byContent,
                            std::string& scratch) {
  if (!byContent) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!ops.Attributes(path, &data)) {
      if (!IsMissing(::GetLastError())) return MemoDiskState::Unchanged;
      return stamp.exists ? MemoDiskState::Vanished : MemoDiskState::Unchanged;
    }
    if (stamp.exists && SizeOf(data.nFileSizeHigh, data.nFileSizeLow) == stamp.size && SameTime(data.ftLastWriteTime, stamp.lastWrite))
      return MemoDiskState::Unchanged;
  }
  MemoFileStamp current;
  switch (LoadMemoFile(ops, path, scratch, current)) {
    case MemoLoadResult::Loaded:
      break;
    case MemoLoadResult::Missing:
      return stamp.exists ? MemoDiskState::Vanished : MemoDiskState::Unchanged;
    default:
      return MemoDiskState::Changed;
  }
  if (!stamp.exists || scratch != known) return MemoDiskState::Changed;
  // The attributes a save keeps and a write must respect, as the file has them now.
  WIN32_FILE_ATTRIBUTE_DATA data;
  current.attributes = ops.Attributes(path, &data) ? data.dwFileAttributes : stamp.attributes;
  current.links = stamp.links;
  stamp = current;
  return MemoDiskState::Unchanged;
}

bool MemoFileExists(MemoFileOps& ops, const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return ops.Attributes(path, &data) != FALSE;
}

bool IsMemoFileReadOnly(MemoFileOps& ops, const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return ops.Attributes(path, &data) && (data.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

bool SetMemoFileReadOnly(MemoFileOps& ops, const char* path, bool readOnly) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!ops.Attributes(path, &data)) return false;
  DWORD attributes = readOnly ? data.dwFileAttributes | FILE_ATTRIBUTE_READONLY : data.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY;
  return attributes == data.dwFileAttributes || ops.SetAttributes(path, attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
}

bool WriteTargetOf(MemoFileOps& ops, const char* path, std::string& target) {
  target = path;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!ops.Attributes(path, &data)) return true;
  HANDLE file = ops.Open(path, 0, shareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  std::string resolved;
  bool found = file != INVALID_HANDLE_VALUE && ops.FinalPath(file, resolved);
  if (file != INVALID_HANDLE_VALUE) ops.Close(file);
  if (!found) return !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
  if (resolved.compare(0, 8, "\\\\?\\UNC\\") == 0)
    resolved = "\\\\" + resolved.substr(8);
  else if (resolved.compare(0, 4, "\\\\?\\") == 0)
    resolved = resolved.substr(4);
  // A final path longer than the tool's paths is the real path of a mapped
  // network or SUBST drive, unless the file is a link: the memo's own path
  // reaches the same file. A link there cannot be written.
  if (Utf16Units(resolved.c_str()) >= PlainPathUnits) return !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
  if (!SameNames(resolved, path)) target = resolved;
  return true;
}

std::string LiteralPath(const char* path) {
  if (path[0] == '\\' && path[1] == '\\') return std::string("\\\\?\\UNC\\") + (path + 2);
  return std::string("\\\\?\\") + path;
}

bool IsFileInUse(MemoFileOps& ops, const char* path) {
  HANDLE file = ops.Open(path, GENERIC_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  if (file == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_SHARING_VIOLATION;
  ops.Close(file);
  return false;
}

bool CreateEmptyMemoFile(MemoFileOps& ops, const char* path) {
  HANDLE file = ops.Open(path, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
  if (file == INVALID_HANDLE_VALUE) return false;
  ops.Close(file);
  FlushFolderOf(ops, path);
  return true;
}

bool DeleteMemoFile(MemoFileOps& ops, const char* path) {
  if (!ops.Delete(path)) return false;
  FlushFolderOf(ops, path);
  return true;
}

DWORD MemoFileLinks(MemoFileOps& ops, const char* path) {
  BY_HANDLE_FILE_INFORMATION info;
  HANDLE file = ops.Open(path, 0, shareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  bool known = file != INVALID_HANDLE_VALUE && ops.Info(file, &info);
  if (file != INVALID_HANDLE_VALUE) ops.Close(file);
  return known ? info.nNumberOfLinks : 1;
}

TrashResult TrashMemoFile(MemoFileOps& ops, const char* path) {
  // A second name held while the shell takes the file: what the bin keeps
  // is the same file, so its count of names tells afterwards whether the
  // bin took it or the shell deleted it for good. Where no second name can
  // be made, nothing could tell.
  char held[MemoPathSize];
  if (!OnFreeTemporaryName(FolderOf(path), held, [&](const char* name) { return ops.Link(name, path) != FALSE; }))
    return MemoFileExists(ops, path) ? TrashResult::NotTrashable : TrashResult::Failed;
  int result = ops.Trash(path);
  // The shell's results are not all the platform's error codes, and some
  // failures report none: the file still being there is what counts.
  if (result != 0 || MemoFileExists(ops, path)) {
    ops.Delete(held);
    ::SetLastError(result > 0 && result < 0x70 ? static_cast<DWORD>(result) : ERROR_ACCESS_DENIED);
    return TrashResult::Failed;
  }
  BY_HANDLE_FILE_INFORMATION info;
  HANDLE file = ops.Open(held, 0, shareAll, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  bool inBin = file != INVALID_HANDLE_VALUE && ops.Info(file, &info) && info.nNumberOfLinks > 1;
  if (file != INVALID_HANDLE_VALUE) ops.Close(file);
  if (inBin) {
    ops.Delete(held);
    FlushFolderOf(ops, path);
    return TrashResult::Trashed;
  }
  // Deleted for good but for the second name: the memo goes back under its own.
  if (!ops.Move(held, path, MOVEFILE_WRITE_THROUGH)) return TrashResult::Failed;
  FlushFolderOf(ops, path);
  return TrashResult::NotTrashable;
}

bool RenameMemoFile(MemoFileOps& ops, const char* from, const char* to) {
  if (ops.Move(from, to, MOVEFILE_WRITE_THROUGH)) {
    FlushFolderOf(ops, to);
    if (FolderOf(from) != FolderOf(to)) FlushFolderOf(ops, from);
    return true;
  }
  if (::GetLastError() != ERROR_NOT_SAME_DEVICE) return false;
  if (!CopyToNewMemoFile(ops, from, to)) return false;
  if (!DeleteMemoFile(ops, from)) {
    KeptError kept;
    DeleteTemporary(ops, to);
    FlushFolderOf(ops, to);
    return false;
  }
  return true;
}

bool CopyToNewMemoFile(MemoFileOps& ops, const char* source, const char* destination) {
  if (MemoFileExists(ops, destination)) {
    ::SetLastError(ERROR_FILE_EXISTS);
    return false;
  }
  HANDLE from = OpenToRead(ops, source);
  if (from == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  char temporary[MemoPathSize];
  HANDLE to = ops.Info(from, &info) ? CreateTemporary(ops, FolderOf(destination), temporary) : INVALID_HANDLE_VALUE;
  if (to == INVALID_HANDLE_VALUE) {
    KeptError kept;
    ops.Close(from);
    return false;
  }
  // Block by block, however large: the copy goes to a name nobody lists, and
  // only a whole, flushed copy takes the memo's name.
  std::string block(readBlock, '\0');
  bool ok = true;
  for (DWORD got = 1; ok && got > 0;) ok = ops.Read(from, &block[0], readBlock, &got) && WriteAll(ops, to, block.data(), got);
  ok = ok && ops.SetTimes(to, NULL, NULL, &info.ftLastWriteTime) && ops.Flush(to);
  {
    KeptError kept;
    ops.Close(from);
    if (!ops.Close(to)) ok = false;
  }
  if (ok && (info.dwFileAttributes & copiedAttributes)) ok = ops.SetAttributes(temporary, info.dwFileAttributes & copiedAttributes);
  return RenameIntoPlace(ops, ok, temporary, destination, false);
}

bool PlaceAsNewMemo(MemoFileOps& ops, const std::string& folder, const std::string& title, int firstTry,
                    const std::function<bool(const char*)>& place, std::string& placedTitle) {
  const int tries = 1000;
  // Room for the longest extension a memo of that title may have, and for a
  // list entry.
  size_t used = Utf16Units(folder.c_str()) + std::strlen(".html");
  if (folder.empty() || used >= PlainPathUnits - 1) return false;
  // In bytes, which a title takes at least as many of as UTF-16 units.
  size_t room = PlainPathUnits - 1 - used;
  if (room > MemoTitleBufferSize - 1) room = MemoTitleBufferSize - 1;
  for (int n = firstTry; n < firstTry + tries; ++n) {
    placedTitle = NumberedTitle(title, n, room);
    if (placedTitle.empty()) return false;
    char path[MemoPathSize], html[MemoPathSize], htm[MemoPathSize];
    if (!FormMemoFilePath(folder.c_str(), placedTitle.c_str(), ".txt", path, sizeof(path)) ||
        !FormMemoFilePath(folder.c_str(), placedTitle.c_str(), ".html", html, sizeof(html)) ||
        !FormMemoFilePath(folder.c_str(), placedTitle.c_str(), ".htm", htm, sizeof(htm)))
      return false;
    // A title that any memo of the folder has, text or HTML, would make two entries alike.
    if (MemoFileExists(ops, path) || MemoFileExists(ops, html) || MemoFileExists(ops, htm)) continue;
    if (place(path)) return true;
    // Only a file that appeared meanwhile is worth another title.
    DWORD error = ::GetLastError();
    if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

bool SaveAsNewMemo(MemoFileOps& ops, const std::string& folder, const std::string& title, int firstTry, const std::string& bytes,
                   std::string& savedTitle) {
  MemoFileStamp stamp;
  return PlaceAsNewMemo(
      ops, folder, title, firstTry, [&](const char* path) { return CreateMemoFile(ops, path, bytes, stamp); }, savedTitle);
}
