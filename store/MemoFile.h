// The memo file on disk, with no user interface: read whole, saved so that
// the file is always either its old or its new text, compared with what was
// loaded or last written to find changes made by other programs.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// The file calls a load and a save make, one virtual each, so that a test can
// make any one of them fail. A save makes them in this order: CreateTemporary,
// Write (once or more), Flush, Close, Rename; Delete removes a temporary file
// that is not needed any more.
class MemoFileOps {
public:
  virtual ~MemoFileOps();
  // A new, empty file in folder (ending in a backslash), opened for writing;
  // its path goes to path (MAX_PATH bytes). Its name starts with "~sb" and
  // is never longer than the shortest memo file name.
  virtual HANDLE CreateTemporary(const char* folder, char* path);
  virtual BOOL Write(HANDLE file, const void* data, DWORD size, DWORD* written);
  virtual BOOL Flush(HANDLE file);
  virtual BOOL Close(HANDLE file);
  // Gives the temporary file the target's name in one step, replacing the
  // target when replaceExisting.
  virtual BOOL Rename(const char* temporary, const char* target, bool replaceExisting);
  virtual BOOL Delete(const char* path);
  virtual HANDLE OpenForRead(const char* path);
  virtual BOOL Read(HANDLE file, void* buffer, DWORD size, DWORD* read);
};

// The platform's own calls.
MemoFileOps& PlatformMemoFileOps();

// What is known of a memo file: its size and last write time as the file
// system reports them, and the checksum of the bytes loaded or last written.
struct MemoFileStamp {
  bool exists = false;
  ULONGLONG size = 0;
  FILETIME lastWrite = {0, 0};
  uint64_t checksum = 0;
  // Names the file has: a save that gives one of them a new file would part
  // it from the others.
  DWORD links = 1;
};

enum class MemoLoadResult {
  Loaded,
  Missing,     // no such file
  Unreadable,  // it exists but cannot be opened
  ReadError,   // a read failed partway: bytes holds only part of it
};

// Reads the whole file into bytes and stamps it. Only a file on a disk is
// read: a name that opens a device (aux.txt) is Unreadable.
MemoLoadResult LoadMemoFile(MemoFileOps& ops, const char* path, std::string& bytes, MemoFileStamp& stamp);

// Writes bytes to a temporary file beside path, flushes it to the disk, then
// gives it path's name in one step, keeping the replaced file's creation time
// and attributes, and flushes the folder. On failure path is untouched, no
// temporary file is left, and the platform's last error says why. On success
// stamp describes the file written.
bool SaveMemoFile(MemoFileOps& ops, const char* path, const std::string& bytes, MemoFileStamp& stamp);

// The same for a file that must not exist yet: it fails with
// ERROR_FILE_EXISTS or ERROR_ALREADY_EXISTS rather than replace one.
bool CreateMemoFile(MemoFileOps& ops, const char* path, const std::string& bytes, MemoFileStamp& stamp);

// The same protocol for a file of the tool's own, which keeps nothing of the
// file it replaces and needs no stamp.
bool ReplaceFileWhole(MemoFileOps& ops, const char* path, const std::string& bytes);

// Makes what was created, renamed or deleted in the folder of path (a file
// in it, or the folder itself ending in a backslash) survive a crash. Some
// systems cannot flush a folder; their renames are durable already.
void FlushFolderOf(const char* path);

enum class MemoDiskState {
  Unchanged,  // as stamped (a file only touched counts as unchanged)
  Changed,    // another program changed it
  Vanished,   // it is gone
};

// Compares the file with its stamp. Costs one attribute query while size and
// time still match, unless byContent: copy tools keep times, and some file
// systems keep them coarsely, so a check before a write reads the file
// always. A file that is read and holds the same bytes is only restamped;
// other bytes, or a file that cannot be read, are Changed.
MemoDiskState CheckMemoFile(MemoFileOps& ops, const char* path, MemoFileStamp& stamp, bool byContent);

// The file exists and may not be written.
bool IsMemoFileReadOnly(const char* path);

// Where a write of path goes so that path stays what it is: the file a
// symbolic link leads to, or path itself (also when nothing is there yet).
// False when path is a link whose target cannot be told.
bool WriteTargetOf(const char* path, std::string& target);

// The path that opens exactly the file of that name, with none of the
// platform's rewriting of device names and trailing dots and blanks.
std::string LiteralPath(const char* path);

// Another handle holds the file open without sharing it: a save writing it.
bool IsFileInUse(const char* path);

// Creates an empty file, never touching one that exists.
bool CreateEmptyMemoFile(const char* path);

// Deletes, renames or moves a memo file, each durable once it returns.
// A move to another drive copies the file whole before the original goes.
bool DeleteMemoFile(const char* path);
// Moves a memo file to the Recycle Bin (the desktop's trash under Wine),
// with no question and no progress window.
bool MoveMemoFileToTrash(const char* path);
bool RenameMemoFile(const char* from, const char* to);

// Copies source to destination, which must not exist: whole and on the disk,
// or not at all.
bool CopyToNewMemoFile(MemoFileOps& ops, const char* source, const char* destination);
