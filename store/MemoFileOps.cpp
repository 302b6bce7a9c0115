#include "store/MemoFileOps.h"

#include <shellapi.h>

#include <string>

MemoFileOps::~MemoFileOps() {}

HANDLE MemoFileOps::Open(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  return ::CreateFileA(path, access, share, NULL, disposition, flags, NULL);
}

BOOL MemoFileOps::Read(HANDLE file, void* buffer, DWORD size, DWORD* read) { return ::ReadFile(file, buffer, size, read, NULL); }

BOOL MemoFileOps::Write(HANDLE file, const void* data, DWORD size, DWORD* written) { return ::WriteFile(file, data, size, written, NULL); }

BOOL MemoFileOps::Rewind(HANDLE file) { return ::SetFilePointer(file, 0, NULL, FILE_BEGIN) != INVALID_SET_FILE_POINTER; }

BOOL MemoFileOps::Flush(HANDLE file) { return ::FlushFileBuffers(file); }

BOOL MemoFileOps::Close(HANDLE file) { return ::CloseHandle(file); }

DWORD MemoFileOps::FileType(HANDLE file) { return ::GetFileType(file); }

BOOL MemoFileOps::Size(HANDLE file, ULONGLONG* size) {
  LARGE_INTEGER value;
  if (!::GetFileSizeEx(file, &value)) return FALSE;
  *size = static_cast<ULONGLONG>(value.QuadPart);
  return TRUE;
}

BOOL MemoFileOps::Times(HANDLE file, FILETIME* creation, FILETIME* lastWrite) { return ::GetFileTime(file, creation, NULL, lastWrite); }

BOOL MemoFileOps::Info(HANDLE file, BY_HANDLE_FILE_INFORMATION* info) { return ::GetFileInformationByHandle(file, info); }

BOOL MemoFileOps::SetTimes(HANDLE file, const FILETIME* creation, const FILETIME* lastAccess, const FILETIME* lastWrite) {
  return ::SetFileTime(file, creation, lastAccess, lastWrite);
}

DWORD MemoFileOps::FinalPath(HANDLE file, char* path, DWORD size) {
  typedef DWORD(WINAPI * FinalPathFunction)(HANDLE, LPSTR, DWORD, DWORD);
  // Looked up by name: Windows XP has no such call.
  static FinalPathFunction finalPath = reinterpret_cast<FinalPathFunction>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
  if (!finalPath) {
    ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
  }
  return finalPath(file, path, size, 0);
}

BOOL MemoFileOps::Move(const char* from, const char* to, DWORD flags) { return ::MoveFileExA(from, to, flags); }

BOOL MemoFileOps::Delete(const char* path) { return ::DeleteFileA(path); }

BOOL MemoFileOps::Link(const char* link, const char* existing) { return ::CreateHardLinkA(link, existing, NULL); }

int MemoFileOps::Trash(const char* path) {
  // The list of files ends with an empty name.
  std::string files(path);
  files.push_back('\0');
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = files.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  int result = ::SHFileOperationA(&operation);
  return result == 0 && operation.fAnyOperationsAborted ? ERROR_CANCELLED : result;
}

BOOL MemoFileOps::Attributes(const char* path, WIN32_FILE_ATTRIBUTE_DATA* data) {
  return ::GetFileAttributesExA(path, GetFileExInfoStandard, data);
}

BOOL MemoFileOps::SetAttributes(const char* path, DWORD attributes) { return ::SetFileAttributesA(path, attributes); }

BOOL MemoFileOps::MakeFolder(const char* path) { return ::CreateDirectoryA(path, NULL); }

HANDLE MemoFileOps::FindFirst(const char* pattern, WIN32_FIND_DATAA* found) {
  // Short names are never used, and making them costs: Windows 7 and later
  // can leave them out, in larger batches. Older Windows refuses the level and
  // gets the plain call.
  const FINDEX_INFO_LEVELS basicInfo = static_cast<FINDEX_INFO_LEVELS>(1);
  const DWORD largeFetch = 2;
  HANDLE find = ::FindFirstFileExA(pattern, basicInfo, found, FindExSearchNameMatch, NULL, largeFetch);
  if (find == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_INVALID_PARAMETER) find = ::FindFirstFileA(pattern, found);
  return find;
}

BOOL MemoFileOps::FindNext(HANDLE find, WIN32_FIND_DATAA* found) { return ::FindNextFileA(find, found); }

BOOL MemoFileOps::FindClose(HANDLE find) { return ::FindClose(find); }

UINT MemoFileOps::DriveType(const char* path) {
  char root[MAX_PATH];
  if (!::GetVolumePathNameA(path, root, sizeof(root))) return DRIVE_UNKNOWN;
  return ::GetDriveTypeA(root);
}

void MemoFileOps::Wait(DWORD milliseconds) { ::Sleep(milliseconds); }

MemoFileOps& PlatformMemoFileOps() {
  static MemoFileOps platform;
  return platform;
}
