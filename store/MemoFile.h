// The memo file on disk, with no user interface: read whole, saved so that
// the file is always either its old or its new text, compared with what was
// loaded or last written to find changes made by other programs, and
// created, copied, renamed, moved and deleted whole or not at all. Every
// call reaches the platform through the seam given.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "store/MemoFileOps.h"

// What is known of a memo file: its size, times and attributes as the file
// system reports them.
struct MemoFileStamp {
  bool exists = false;
  ULONGLONG size = 0;
  FILETIME lastWrite = {0, 0};
  FILETIME created = {0, 0};
  DWORD attributes = 0;
  // Names the file has: a save that gives one of them a new file would part
  // it from the others.
  DWORD links = 1;
};

enum class MemoLoadResult {
  Loaded,
  Missing,     // no such file
  Unreadable,  // it exists but cannot be opened
  ReadError,   // a read failed partway: bytes holds only part of it
  TooLarge,    // bytes holds its first MemoLoadLimit bytes only
};

// The most of a file that is read: larger files are shown cut and never
// written, so what lies beyond this would only cost memory.
const size_t MemoLoadLimit = 32 * 1024 * 1024;

// How long the calls of this thread may still pause for a file that another
// program holds a moment, while the scope lives; without one, as long as
// they need. The end of a Windows session gives a program a few seconds in
// all, and a rename that waits gives up after more than two.
class WaitBudget {
public:
  explicit WaitBudget(DWORD milliseconds);
  ~WaitBudget();
  WaitBudget(const WaitBudget&) = delete;
  WaitBudget& operator=(const WaitBudget&) = delete;
  // Takes a pause from the innermost budget; false when it is not left.
  static bool Take(DWORD milliseconds);

private:
  DWORD left;
  WaitBudget* outer;
};

// Reads the whole file into bytes and stamps it. Only a file on a disk is
// read: a name that opens a device (aux.txt) is Unreadable.
MemoLoadResult LoadMemoFile(MemoFileOps& ops, const char* path, std::string& bytes, MemoFileStamp& stamp);

// Writes bytes to a temporary file beside path, flushes it to the disk, then
// gives it path's name in one step, keeping the replaced file's creation time
// and attributes, and flushes the folder. On failure path is untouched, no
// temporary file is left, and the platform's last error says why. On success
// stamp describes the file written. replaced: what a check just now found at
// path, which then is not asked again.
bool SaveMemoFile(MemoFileOps& ops, const char* path, const std::string& bytes, MemoFileStamp& stamp,
                  const MemoFileStamp* replaced = nullptr);

// The same for a file that must not exist yet: it fails with
// ERROR_FILE_EXISTS or ERROR_ALREADY_EXISTS rather than replace one.
bool CreateMemoFile(MemoFileOps& ops, const char* path, const std::string& bytes, MemoFileStamp& stamp);

// The same protocol for a file of the tool's own, which keeps nothing of the
// file it replaces and needs no stamp.
bool ReplaceFileWhole(MemoFileOps& ops, const char* path, const std::string& bytes);

// Makes what was created, renamed or deleted in the folder of path (a file
// in it, or the folder itself ending in a backslash) survive a crash. Some
// systems cannot flush a folder; their renames are durable already, so a
// failure here fails nothing.
void FlushFolderOf(MemoFileOps& ops, const char* path);
// Scribbit\<leaf>\ in the user's local application data (the recovery
// records, the history), in UTF-8; empty where Windows names none.
std::string LocalDataFolder(const char* leaf);
// Each folder of path (ending in a backslash) from the drive down, for a
// first write; a folder made is flushed into its parent, so that a file in
// it survives a crash.
void CreateFolders(MemoFileOps& ops, const std::string& path);

enum class MemoDiskState {
  Unchanged,  // as stamped (a file only touched counts as unchanged)
  Changed,    // another program changed it
  Vanished,   // it is gone
};

// Compares the file with its stamp and known, the bytes loaded or last
// written. Costs one attribute query while size and time still match, unless
// byContent: copy tools keep times, and some file systems keep them
// coarsely, so a check before a write reads the file always, into scratch.
// A file that holds the same bytes is only restamped; other bytes, or a file
// that cannot be read whole, are Changed.
MemoDiskState CheckMemoFile(MemoFileOps& ops, const char* path, MemoFileStamp& stamp, const std::string& known, bool byContent,
                            std::string& scratch);

bool MemoFileExists(MemoFileOps& ops, const char* path);

// The names the file has; 1 when that cannot be told.
DWORD MemoFileLinks(MemoFileOps& ops, const char* path);

// The file exists and may not be written.
bool IsMemoFileReadOnly(MemoFileOps& ops, const char* path);

// Sets or clears the file's read-only attribute, keeping its others.
bool SetMemoFileReadOnly(MemoFileOps& ops, const char* path, bool readOnly);

// Where a write of path goes so that path stays what it is: the file a
// symbolic link leads to, or path itself (also when nothing is there yet).
// False when path is a link whose target cannot be told.
bool WriteTargetOf(MemoFileOps& ops, const char* path, std::string& target);

// The path that opens exactly the file of that name, with none of the
// platform's rewriting of device names and trailing dots and blanks.
std::string LiteralPath(const char* path);

// Another handle holds the file open without sharing it: a save writing it.
bool IsFileInUse(MemoFileOps& ops, const char* path);

// Creates an empty file, never touching one that exists.
bool CreateEmptyMemoFile(MemoFileOps& ops, const char* path);

// Deletes a memo file for good, durably once it returns.
bool DeleteMemoFile(MemoFileOps& ops, const char* path);

enum class TrashResult {
  Trashed,       // in the Recycle Bin (the desktop's trash under Wine)
  NotTrashable,  // the bin cannot take it here: the memo is still in its place
  Failed,        // the last error says why; the memo is still in its place
};
// Moves a memo file to the Recycle Bin. Where the bin would delete it for
// good instead (a network or removable drive, a file larger than the bin, a
// bin turned off), the file stays where it is.
TrashResult TrashMemoFile(MemoFileOps& ops, const char* path);

// Renames or moves a memo file, never over another, durably once it
// returns. A move to another drive deletes the original only once the copy
// holds all of its bytes on the disk.
bool RenameMemoFile(MemoFileOps& ops, const char* from, const char* to);

// Copies source to destination, which must not exist: whole and on the disk,
// with the source's attributes and last write time, or not at all.
bool CopyToNewMemoFile(MemoFileOps& ops, const char* source, const char* destination);

// Puts a new text memo in folder under a title no memo of the folder, text
// or HTML, has yet: title when firstTry is 1, else "title (n)" from
// n = firstTry, cut so the name fits. place(path) makes the file there,
// never over one; when another appeared meanwhile it fails with
// ERROR_FILE_EXISTS or ERROR_ALREADY_EXISTS, and the next title is tried.
// The title given goes to placedTitle.
bool PlaceAsNewMemo(MemoFileOps& ops, const std::string& folder, const std::string& title, int firstTry,
                    const std::function<bool(const char*)>& place, std::string& placedTitle);

// Writes bytes as a new text memo of folder by PlaceAsNewMemo's rule.
bool SaveAsNewMemo(MemoFileOps& ops, const std::string& folder, const std::string& title, int firstTry, const std::string& bytes,
                   std::string& savedTitle);
