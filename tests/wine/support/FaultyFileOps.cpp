#include "FaultyFileOps.h"

namespace {

class Held {
public:
  explicit Held(CRITICAL_SECTION& section) : lock(section) { ::EnterCriticalSection(&lock); }
  ~Held() { ::LeaveCriticalSection(&lock); }

private:
  CRITICAL_SECTION& lock;
};

}  // namespace

FaultyFileOps::FaultyFileOps() { ::InitializeCriticalSection(&lock); }

FaultyFileOps::~FaultyFileOps() { ::DeleteCriticalSection(&lock); }

void FaultyFileOps::Fail(FileCall call, DWORD error, int nth, const std::string& pathPart) {
  Held held(lock);
  faults.push_back(Fault{call, error, nth, pathPart, 0});
  struck = false;
}

void FaultyFileOps::Heal() {
  Held held(lock);
  faults.clear();
}

bool FaultyFileOps::Struck() const {
  Held held(lock);
  return struck;
}

bool FaultyFileOps::Fails(FileCall call, const std::string& path) {
  Held held(lock);
  for (Fault& fault : faults) {
    if (fault.call != FileCall::Any && fault.call != call) continue;
    if (!fault.path.empty() && path.find(fault.path) == std::string::npos) continue;
    ++fault.counted;
    if (fault.nth != 0 && fault.counted != fault.nth) continue;
    struck = true;
    ::SetLastError(fault.error);
    return true;
  }
  return false;
}

std::string FaultyFileOps::PathOf(HANDLE file) {
  Held held(lock);
  auto found = opened.find(file);
  return found == opened.end() ? std::string() : found->second;
}

HANDLE FaultyFileOps::Open(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  if (Fails(FileCall::Open, path)) return INVALID_HANDLE_VALUE;
  HANDLE file = MemoFileOps::Open(path, access, share, disposition, flags);
  if (file != INVALID_HANDLE_VALUE) {
    Held held(lock);
    opened[file] = path;
  }
  return file;
}

BOOL FaultyFileOps::Read(HANDLE file, void* buffer, DWORD size, DWORD* read) {
  *read = 0;
  return !Fails(FileCall::Read, PathOf(file)) && MemoFileOps::Read(file, buffer, size, read);
}

BOOL FaultyFileOps::Write(HANDLE file, const void* data, DWORD size, DWORD* written) {
  *written = 0;
  return !Fails(FileCall::Write, PathOf(file)) && MemoFileOps::Write(file, data, size, written);
}

BOOL FaultyFileOps::Rewind(HANDLE file) { return !Fails(FileCall::Rewind, PathOf(file)) && MemoFileOps::Rewind(file); }

BOOL FaultyFileOps::Flush(HANDLE file) { return !Fails(FileCall::Flush, PathOf(file)) && MemoFileOps::Flush(file); }

BOOL FaultyFileOps::Close(HANDLE file) {
  // A failed close still lets the handle go, as the platform does.
  bool fails = Fails(FileCall::Close, PathOf(file));
  {
    Held held(lock);
    opened.erase(file);
  }
  DWORD error = ::GetLastError();
  BOOL closed = MemoFileOps::Close(file);
  if (fails) ::SetLastError(error);
  return fails ? FALSE : closed;
}

DWORD FaultyFileOps::FileType(HANDLE file) {
  return Fails(FileCall::FileType, PathOf(file)) ? FILE_TYPE_UNKNOWN : MemoFileOps::FileType(file);
}

BOOL FaultyFileOps::Size(HANDLE file, ULONGLONG* size) { return !Fails(FileCall::Size, PathOf(file)) && MemoFileOps::Size(file, size); }

BOOL FaultyFileOps::Times(HANDLE file, FILETIME* creation, FILETIME* lastWrite) {
  return !Fails(FileCall::Times, PathOf(file)) && MemoFileOps::Times(file, creation, lastWrite);
}

BOOL FaultyFileOps::Info(HANDLE file, BY_HANDLE_FILE_INFORMATION* info) {
  return !Fails(FileCall::Info, PathOf(file)) && MemoFileOps::Info(file, info);
}

BOOL FaultyFileOps::SetTimes(HANDLE file, const FILETIME* creation, const FILETIME* lastAccess, const FILETIME* lastWrite) {
  return !Fails(FileCall::SetTimes, PathOf(file)) && MemoFileOps::SetTimes(file, creation, lastAccess, lastWrite);
}

DWORD FaultyFileOps::FinalPath(HANDLE file, char* path, DWORD size) {
  return Fails(FileCall::FinalPath, PathOf(file)) ? 0 : MemoFileOps::FinalPath(file, path, size);
}

BOOL FaultyFileOps::Move(const char* from, const char* to, DWORD flags) {
  return !Fails(FileCall::Move, std::string(from) + "|" + to) && MemoFileOps::Move(from, to, flags);
}

BOOL FaultyFileOps::Delete(const char* path) { return !Fails(FileCall::Delete, path) && MemoFileOps::Delete(path); }

BOOL FaultyFileOps::Link(const char* link, const char* existing) {
  return !Fails(FileCall::Link, std::string(link) + "|" + existing) && MemoFileOps::Link(link, existing);
}

int FaultyFileOps::Trash(const char* path) {
  if (Fails(FileCall::Trash, path)) return static_cast<int>(::GetLastError());
  if (noRecycleBin) return MemoFileOps::Delete(path) ? 0 : static_cast<int>(::GetLastError());
  return MemoFileOps::Trash(path);
}

BOOL FaultyFileOps::Attributes(const char* path, WIN32_FILE_ATTRIBUTE_DATA* data) {
  return !Fails(FileCall::Attributes, path) && MemoFileOps::Attributes(path, data);
}

BOOL FaultyFileOps::SetAttributes(const char* path, DWORD attributes) {
  return !Fails(FileCall::SetAttributes, path) && MemoFileOps::SetAttributes(path, attributes);
}

BOOL FaultyFileOps::MakeFolder(const char* path) { return !Fails(FileCall::MakeFolder, path) && MemoFileOps::MakeFolder(path); }

HANDLE FaultyFileOps::FindFirst(const char* pattern, WIN32_FIND_DATAA* found) {
  return Fails(FileCall::FindFirst, pattern) ? INVALID_HANDLE_VALUE : MemoFileOps::FindFirst(pattern, found);
}

BOOL FaultyFileOps::FindNext(HANDLE find, WIN32_FIND_DATAA* found) {
  return !Fails(FileCall::FindNext, std::string()) && MemoFileOps::FindNext(find, found);
}

void FaultyFileOps::Wait(DWORD) {}
