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
  Open, Read, Write, Rewind, Flush, Close, FileType, Size, Times, Info, SetTimes, FinalPath,
  Move, Delete, Link, Trash, Attributes, SetAttributes, MakeFolder, FindFirst, FindNext,
};

class FaultyFileOps : public MemoFileOps {
public:
  FaultyFileOps() { ::InitializeCriticalSection(&lock); }
  ~FaultyFileOps() override { ::DeleteCriticalSection(&lock); }

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
  BOOL Close(HANDLE file) override;
  int Trash(const char* path) override;
  BOOL Read(HANDLE f, void* buffer, DWORD size, DWORD* read) override {
    *read = 0;
    return Passes(FileCall::Read, f) && MemoFileOps::Read(f, buffer, size, read);
  }
  BOOL Write(HANDLE f, const void* data, DWORD size, DWORD* written) override {
    *written = 0;
    return Passes(FileCall::Write, f) && MemoFileOps::Write(f, data, size, written);
  }
  BOOL Rewind(HANDLE f) override { return Passes(FileCall::Rewind, f) && MemoFileOps::Rewind(f); }
  BOOL Flush(HANDLE f) override { return Passes(FileCall::Flush, f) && MemoFileOps::Flush(f); }
  DWORD FileType(HANDLE f) override { return Passes(FileCall::FileType, f) ? MemoFileOps::FileType(f) : FILE_TYPE_UNKNOWN; }
  BOOL Size(HANDLE f, ULONGLONG* size) override { return Passes(FileCall::Size, f) && MemoFileOps::Size(f, size); }
  BOOL Times(HANDLE f, FILETIME* c, FILETIME* w) override { return Passes(FileCall::Times, f) && MemoFileOps::Times(f, c, w); }
  BOOL Info(HANDLE f, BY_HANDLE_FILE_INFORMATION* info) override { return Passes(FileCall::Info, f) && MemoFileOps::Info(f, info); }
  BOOL SetTimes(HANDLE f, const FILETIME* c, const FILETIME* a, const FILETIME* w) override {
    return Passes(FileCall::SetTimes, f) && MemoFileOps::SetTimes(f, c, a, w);
  }
  bool FinalPath(HANDLE f, std::string& path) override { return Passes(FileCall::FinalPath, f) && MemoFileOps::FinalPath(f, path); }
  BOOL Move(const char* from, const char* to, DWORD flags) override {
    return Passes(FileCall::Move, std::string(from) + "|" + to) && MemoFileOps::Move(from, to, flags);
  }
  BOOL Delete(const char* path) override { return Passes(FileCall::Delete, path) && MemoFileOps::Delete(path); }
  BOOL Link(const char* link, const char* existing) override {
    return Passes(FileCall::Link, std::string(link) + "|" + existing) && MemoFileOps::Link(link, existing);
  }
  BOOL Attributes(const char* path, WIN32_FILE_ATTRIBUTE_DATA* data) override {
    return Passes(FileCall::Attributes, path) && MemoFileOps::Attributes(path, data);
  }
  BOOL SetAttributes(const char* path, DWORD attributes) override {
    return Passes(FileCall::SetAttributes, path) && MemoFileOps::SetAttributes(path, attributes);
  }
  BOOL MakeFolder(const char* path) override { return Passes(FileCall::MakeFolder, path) && MemoFileOps::MakeFolder(path); }
  HANDLE FindFirst(const char* pattern, FoundFile* found) override {
    return Passes(FileCall::FindFirst, pattern) ? MemoFileOps::FindFirst(pattern, found) : INVALID_HANDLE_VALUE;
  }
  BOOL FindNext(HANDLE find, FoundFile* found) override { return Passes(FileCall::FindNext, "") && MemoFileOps::FindNext(find, found); }
  // The drive the platform would name, unless one is set here.
  UINT driveType = 0;
  UINT DriveType(const char* path) override { return driveType ? driveType : MemoFileOps::DriveType(path); }
  // No wait: a test has no other program to wait for. Counts the time
  // the tool would have waited.
  void Wait(DWORD milliseconds) override { waited += milliseconds; }
  DWORD waited = 0;

private:
  // False when this call is to fail; the error is then the last error.
  bool Passes(FileCall call, const std::string& path);
  bool Passes(FileCall call, HANDLE file) { return Passes(call, PathOf(file)); }
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
