#include "store/MemoFileOps.h"

#include <shellapi.h>

#include <string>

#include "core/NameText.h"

namespace {

// The UTF-16 form Windows takes of a UTF-8 path or name.
class Wide {
public:
  explicit Wide(const char* text) : wide(Utf16FromUtf8(text)) {}
  operator const wchar_t*() const { return reinterpret_cast<const wchar_t*>(wide.c_str()); }

private:
  std::u16string wide;
};

std::string Utf8Of(const wchar_t* text, size_t length) { return Utf8FromUtf16(reinterpret_cast<const char16_t*>(text), length); }

void Take(const WIN32_FIND_DATAW& entry, FoundFile* found) {
  found->name = Utf8Of(entry.cFileName, wcslen(entry.cFileName));
  found->attributes = entry.dwFileAttributes;
  found->size = static_cast<unsigned long long>(entry.nFileSizeHigh) << 32 | entry.nFileSizeLow;
  found->lastWrite = entry.ftLastWriteTime;
}

}  // namespace

MemoFileOps::~MemoFileOps() {}

HANDLE MemoFileOps::Open(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  return ::CreateFileW(Wide(path), access, share, NULL, disposition, flags, NULL);
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

bool MemoFileOps::FinalPath(HANDLE file, std::string& path) {
  typedef DWORD(WINAPI * FinalPathFunction)(HANDLE, LPWSTR, DWORD, DWORD);
  // Looked up by name: Windows XP has no such call.
  static FinalPathFunction finalPath = reinterpret_cast<FinalPathFunction>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleW")));
  if (!finalPath) {
    ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return false;
  }
  wchar_t wide[32768];
  DWORD length = finalPath(file, wide, sizeof(wide) / sizeof(wide[0]), 0);
  if (length == 0 || length >= sizeof(wide) / sizeof(wide[0])) return false;
  path = Utf8Of(wide, length);
  return true;
}

BOOL MemoFileOps::Move(const char* from, const char* to, DWORD flags) { return ::MoveFileExW(Wide(from), Wide(to), flags); }

BOOL MemoFileOps::Delete(const char* path) { return ::DeleteFileW(Wide(path)); }

BOOL MemoFileOps::Link(const char* link, const char* existing) { return ::CreateHardLinkW(Wide(link), Wide(existing), NULL); }

int MemoFileOps::Trash(const char* path) {
  // The list of files ends with an empty name.
  std::u16string files = Utf16FromUtf8(path);
  files.push_back(u'\0');
  SHFILEOPSTRUCTW operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = reinterpret_cast<const wchar_t*>(files.c_str());
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  int result = ::SHFileOperationW(&operation);
  return result == 0 && operation.fAnyOperationsAborted ? ERROR_CANCELLED : result;
}

BOOL MemoFileOps::Attributes(const char* path, WIN32_FILE_ATTRIBUTE_DATA* data) {
  return ::GetFileAttributesExW(Wide(path), GetFileExInfoStandard, data);
}

BOOL MemoFileOps::SetAttributes(const char* path, DWORD attributes) { return ::SetFileAttributesW(Wide(path), attributes); }

BOOL MemoFileOps::MakeFolder(const char* path) { return ::CreateDirectoryW(Wide(path), NULL); }

HANDLE MemoFileOps::FindFirst(const char* pattern, FoundFile* found) {
  // Short names are never used, and making them costs: Windows 7 and later
  // can leave them out, in larger batches. Older Windows refuses the level and
  // gets the plain call.
  const FINDEX_INFO_LEVELS basicInfo = static_cast<FINDEX_INFO_LEVELS>(1);
  const DWORD largeFetch = 2;
  Wide wide(pattern);
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileExW(wide, basicInfo, &entry, FindExSearchNameMatch, NULL, largeFetch);
  if (find == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_INVALID_PARAMETER) find = ::FindFirstFileW(wide, &entry);
  if (find != INVALID_HANDLE_VALUE) Take(entry, found);
  return find;
}

BOOL MemoFileOps::FindNext(HANDLE find, FoundFile* found) {
  WIN32_FIND_DATAW entry;
  if (!::FindNextFileW(find, &entry)) return FALSE;
  Take(entry, found);
  return TRUE;
}

BOOL MemoFileOps::FindClose(HANDLE find) { return ::FindClose(find); }

BOOL MemoFileOps::WatchChanges(HANDLE folder, void* buffer, DWORD size, DWORD filter, OVERLAPPED* overlapped) {
  return ::ReadDirectoryChangesW(folder, buffer, size, FALSE, filter, NULL, overlapped, NULL);
}

BOOL MemoFileOps::WatchResult(HANDLE folder, OVERLAPPED* overlapped, DWORD* got, BOOL wait) {
  return ::GetOverlappedResult(folder, overlapped, got, wait);
}

BOOL MemoFileOps::CancelWatch(HANDLE folder) { return ::CancelIo(folder); }

UINT MemoFileOps::DriveType(const char* path) {
  wchar_t root[MAX_PATH];
  if (!::GetVolumePathNameW(Wide(path), root, MAX_PATH)) return DRIVE_UNKNOWN;
  return ::GetDriveTypeW(root);
}

void MemoFileOps::Wait(DWORD milliseconds) { ::Sleep(milliseconds); }

MemoFileOps& PlatformMemoFileOps() {
  static MemoFileOps platform;
  return platform;
}

bool SameNames(const std::string& a, const std::string& b) {
  return ::CompareStringW(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, Wide(a.c_str()), -1, Wide(b.c_str()), -1) == CSTR_EQUAL;
}
