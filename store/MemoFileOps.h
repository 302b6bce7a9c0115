// Every file call the tool makes on its memos, their folders and its
// recovery records, one virtual each, so that a test can give any of them
// any error Windows documents for it. Nothing of the tool calls the platform
// for a file but through here. Paths and names are UTF-8 (core/NameText.h):
// a name reaches Windows as itself, whatever the system's code page.
#pragma once
#include <windows.h>

#include <string>

// One entry of a folder's listing.
struct FoundFile {
  std::string name;  // the long name
  DWORD attributes;
  unsigned long long size;
  FILETIME lastWrite;
};

class MemoFileOps {
public:
  virtual ~MemoFileOps();

  // CreateFileW, with no security attributes and no template.
  virtual HANDLE Open(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
  virtual BOOL Read(HANDLE file, void* buffer, DWORD size, DWORD* read);
  virtual BOOL Write(HANDLE file, const void* data, DWORD size, DWORD* written);
  // Back to the file's start.
  virtual BOOL Rewind(HANDLE file);
  // To the disk; for a folder opened for writing, what was made, renamed or
  // deleted in it.
  virtual BOOL Flush(HANDLE file);
  virtual BOOL Close(HANDLE file);
  virtual DWORD FileType(HANDLE file);
  virtual BOOL Size(HANDLE file, ULONGLONG* size);
  virtual BOOL Times(HANDLE file, FILETIME* creation, FILETIME* lastWrite);
  // All the handle tells, its count of names too; costly under Wine, which
  // asks its server for the volume.
  virtual BOOL Info(HANDLE file, BY_HANDLE_FILE_INFORMATION* info);
  virtual BOOL SetTimes(HANDLE file, const FILETIME* creation, const FILETIME* lastAccess, const FILETIME* lastWrite);
  // GetFinalPathNameByHandleW: false on failure, and on Windows before
  // Vista, which has no such call nor links to files.
  virtual bool FinalPath(HANDLE file, std::string& path);

  // MoveFileExW: a rename in a folder, or a move to another.
  virtual BOOL Move(const char* from, const char* to, DWORD flags);
  virtual BOOL Delete(const char* path);
  // CreateHardLinkW: link becomes a second name of the file existing.
  virtual BOOL Link(const char* link, const char* existing);
  // Moves the file to the Recycle Bin with no question and no progress
  // window. Where the bin cannot take it, Windows deletes it for good and
  // still reports success. 0, or the shell's error.
  virtual int Trash(const char* path);
  virtual BOOL Attributes(const char* path, WIN32_FILE_ATTRIBUTE_DATA* data);
  virtual BOOL SetAttributes(const char* path, DWORD attributes);
  virtual BOOL MakeFolder(const char* path);
  // GetDriveTypeW of the volume that holds path.
  virtual UINT DriveType(const char* path);

  // The folder's listing: FindFirstFileW and what follows it.
  virtual HANDLE FindFirst(const char* pattern, FoundFile* found);
  virtual BOOL FindNext(HANDLE find, FoundFile* found);
  virtual BOOL FindClose(HANDLE find);

  // ReadDirectoryChangesW on a folder opened for listing with overlapped
  // calls, its reports' names in UTF-16 as Windows gives them; its result,
  // waited for or not; and its end before the buffer goes.
  virtual BOOL WatchChanges(HANDLE folder, void* buffer, DWORD size, DWORD filter, OVERLAPPED* overlapped);
  virtual BOOL WatchResult(HANDLE folder, OVERLAPPED* overlapped, DWORD* got, BOOL wait);
  virtual BOOL CancelWatch(HANDLE folder);

  // A pause before a call is tried again, while another program holds a file.
  virtual void Wait(DWORD milliseconds);
};

// The platform's own calls.
MemoFileOps& PlatformMemoFileOps();

// Whether Windows takes two names or paths for one file's: letters in either
// case are one, an accent is never dropped ("café" is not "cafe").
bool SameNames(const std::string& a, const std::string& b);
