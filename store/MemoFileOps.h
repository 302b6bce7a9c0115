// Every file call the tool makes on its memos, their folders and its
// recovery records, one virtual each, so that a test can give any of them
// any error Windows documents for it. Nothing of the tool calls the platform
// for a file but through here.
#pragma once
#include <windows.h>

class MemoFileOps {
public:
  virtual ~MemoFileOps();

  // CreateFileA, with no security attributes and no template.
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
  // GetFinalPathNameByHandleA: 0 on failure, and on Windows before Vista,
  // which has no such call nor links to files.
  virtual DWORD FinalPath(HANDLE file, char* path, DWORD size);

  // MoveFileExA: a rename in a folder, or a move to another.
  virtual BOOL Move(const char* from, const char* to, DWORD flags);
  virtual BOOL Delete(const char* path);
  // CreateHardLinkA: link becomes a second name of the file existing.
  virtual BOOL Link(const char* link, const char* existing);
  // Moves the file to the Recycle Bin with no question and no progress
  // window. Where the bin cannot take it, Windows deletes it for good and
  // still reports success. 0, or the shell's error.
  virtual int Trash(const char* path);
  virtual BOOL Attributes(const char* path, WIN32_FILE_ATTRIBUTE_DATA* data);
  virtual BOOL SetAttributes(const char* path, DWORD attributes);
  virtual BOOL MakeFolder(const char* path);
  // GetDriveTypeA of the volume that holds path.
  virtual UINT DriveType(const char* path);

  // The folder's listing: FindFirstFileA and what follows it.
  virtual HANDLE FindFirst(const char* pattern, WIN32_FIND_DATAA* found);
  virtual BOOL FindNext(HANDLE find, WIN32_FIND_DATAA* found);
  virtual BOOL FindClose(HANDLE find);

  // A pause before a call is tried again, while another program holds a file.
  virtual void Wait(DWORD milliseconds);
};

// The platform's own calls.
MemoFileOps& PlatformMemoFileOps();
