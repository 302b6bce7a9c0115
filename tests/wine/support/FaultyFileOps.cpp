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

bool FaultyFileOps::Passes(FileCall call, const std::string& path) {
  Held held(lock);
  for (Fault& fault : faults) {
    if ((fault.call != FileCall::Any && fault.call != call) || (!fault.path.empty() && path.find(fault.path) == std::string::npos)) continue;
    if (++fault.counted != fault.nth && fault.nth != 0) continue;
    struck = true;
    ::SetLastError(fault.error);
    return false;
  }
  return true;
}

std::string FaultyFileOps::PathOf(HANDLE file) {
  Held held(lock);
  auto found = opened.find(file);
  return found == opened.end() ? std::string() : found->second;
}

HANDLE FaultyFileOps::Open(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  if (!Passes(FileCall::Open, path)) return INVALID_HANDLE_VALUE;
  HANDLE file = MemoFileOps::Open(path, access, share, disposition, flags);
  Held held(lock);
  if (file != INVALID_HANDLE_VALUE) opened[file] = path;
  return file;
}

BOOL FaultyFileOps::Close(HANDLE file) {
  // A failed close still lets the handle go, as the platform does.
  bool passes = Passes(FileCall::Close, file);
  DWORD error = ::GetLastError();
  {
    Held held(lock);
    opened.erase(file);
  }
  BOOL closed = MemoFileOps::Close(file);
  ::SetLastError(passes ? ::GetLastError() : error);
  return passes && closed;
}

int FaultyFileOps::Trash(const char* path) {
  if (!Passes(FileCall::Trash, path)) return static_cast<int>(::GetLastError());
  if (noRecycleBin) return MemoFileOps::Delete(path) ? 0 : static_cast<int>(::GetLastError());
  return MemoFileOps::Trash(path);
}
