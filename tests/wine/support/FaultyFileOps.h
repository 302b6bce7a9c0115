// The platform's file calls, with any of them made to fail on purpose with
// any error, as disks, networks, virus scanners and other programs make them
// fail. Thread-safe: the host's search calls from its own thread.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "store/MemoFileOps.h"

enum class FileCall {
  Any,  // counts every call
  Open,
  Read,
  Write,
  Rewind,
  Flush,
  Close,
  FileType,
  Size,
  Times,
  Info,
  SetTimes,
  FinalPath,
  Move,
  Delete,
  Link,
  Trash,
  Attributes,
  SetAttributes,
  MakeFolder,
  FindFirst,
  FindNext,
};

class FaultyFileOps : public MemoFileOps {
public:
  FaultyFileOps();
  ~FaultyFileOps() override;

  // The nth call of that kind from now on (1: the next) fails with error;
  // nth 0: every one. With pathPart, only calls on a path that holds it
  // count (for a handle, the path it was opened by). Faults add up.
  void Fail(FileCall call, DWORD error, int nth = 1, const std::string& pathPart = std::string());
  // No fault any more.
  void Heal();
  // Whether a fault set has struck since.
  bool Struck() const;
  // The Recycle Bin deletes for good, and reports success, as Windows does
  // on a drive without one.
  bool noRecycleBin = false;

  HANDLE Open(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) override;
  BOOL Read(HANDLE file, void* buffer, DWORD size, DWORD* read) override;
  BOOL Write(HANDLE file, const void* data, DWORD size, DWORD* written) override;
  BOOL Rewind(HANDLE file) override;
  BOOL Flush(HANDLE file) override;
  BOOL Close(HANDLE file) override;
  DWORD FileType(HANDLE file) override;
  BOOL Size(HANDLE file, ULONGLONG* size) override;
  BOOL Times(HANDLE file, FILETIME* creation, FILETIME* lastWrite) override;
  BOOL Info(HANDLE file, BY_HANDLE_FILE_INFORMATION* info) override;
  BOOL SetTimes(HANDLE file, const FILETIME* creation, const FILETIME* lastAccess, const FILETIME* lastWrite) override;
  DWORD FinalPath(HANDLE file, char* path, DWORD size) override;
  BOOL Move(const char* from, const char* to, DWORD flags) override;
  BOOL Delete(const char* path) override;
  BOOL Link(const char* link, const char* existing) override;
  int Trash(const char* path) override;
  BOOL Attributes(const char* path, WIN32_FILE_ATTRIBUTE_DATA* data) override;
  BOOL SetAttributes(const char* path, DWORD attributes) override;
  BOOL MakeFolder(const char* path) override;
  HANDLE FindFirst(const char* pattern, WIN32_FIND_DATAA* found) override;
  BOOL FindNext(HANDLE find, WIN32_FIND_DATAA* found) override;
  // No wait: a test has no other program to wait for.
  void Wait(DWORD milliseconds) override;

private:
  // True when this call is to fail; the error is then the last error.
  bool Fails(FileCall call, const std::string& path);
  std::string PathOf(HANDLE file);

  struct Fault {
    FileCall call;
    DWORD error;
    int nth;
    std::string path;
    int counted;
  };
  mutable CRITICAL_SECTION lock;
  std::vector<Fault> faults;
  bool struck = false;
  std::map<HANDLE, std::string> opened;
};
