#include "store/FolderWatch.h"

#include <cstddef>

#include "core/NameText.h"

namespace {

const DWORD WatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE |
                             FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_CREATION;

// What tells one folder from another that later takes its path.
struct FolderIdentity {
  DWORD volume = 0, indexHigh = 0, indexLow = 0;
  bool operator==(const FolderIdentity& other) const {
    return volume == other.volume && indexHigh == other.indexHigh && indexLow == other.indexLow;
  }
};

bool IdentityOf(MemoFileOps& ops, HANDLE folder, FolderIdentity& identity) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!ops.Info(folder, &info)) return false;
  identity = FolderIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
  return true;
}

HANDLE OpenFolder(MemoFileOps& ops, const char* path, DWORD access, DWORD flags) {
  return ops.Open(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags);
}

class Locked {
public:
  explicit Locked(CRITICAL_SECTION& section) : lock(section) { ::EnterCriticalSection(&lock); }
  ~Locked() { ::LeaveCriticalSection(&lock); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

private:
  CRITICAL_SECTION& lock;
};

}  // namespace

struct FolderWatch::Slot {
  // Only the watching thread touches these.
  HANDLE folder = INVALID_HANDLE_VALUE;
  HANDLE event = NULL;
  OVERLAPPED overlapped = {};
  bool pending = false;
  // The reports land here; DWORDs, since the call needs them aligned so. Over
  // a network 64 KB is the most it takes.
  DWORD reports[16 * 1024];
  // Under the lock.
  std::string path;
  bool watching = false;
  FolderIdentity identity;
  Changes changes;
};

FolderWatch::FolderWatch(MemoFileOps& fileOps) : ops(fileOps), slots(new Slot[SlotCount]) { ::InitializeCriticalSection(&lock); }

FolderWatch::~FolderWatch() {
  if (thread) {
    Ask(Request::Quit, 0, "");
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
  }
  for (int i = 0; i < SlotCount; ++i)
    if (slots[i].event) ::CloseHandle(slots[i].event);
  if (wake) ::CloseHandle(wake);
  if (answered) ::CloseHandle(answered);
  ::DeleteCriticalSection(&lock);
  delete[] slots;
}

bool FolderWatch::Watch(int slot, const char* path) {
  Ask(Request::Watch, slot, path);
  Locked locked(lock);
  return slots[slot].watching;
}

void FolderWatch::Unwatch(int slot) { Ask(Request::Unwatch, slot, ""); }

bool FolderWatch::IsWatching(int slot, const char* path) {
  FolderIdentity watched;
  {
    Locked locked(lock);
    if (!slots[slot].watching || slots[slot].path != path) return false;
    watched = slots[slot].identity;
  }
  HANDLE folder = OpenFolder(ops, path, 0, 0);
  if (folder == INVALID_HANDLE_VALUE) return false;
  FolderIdentity now;
  bool same = IdentityOf(ops, folder, now) && now == watched;
  ops.Close(folder);
  return same;
}

void FolderWatch::Collect() { Ask(Request::Collect, 0, ""); }

FolderWatch::Changes FolderWatch::TakeChanges(int slot) {
  Locked locked(lock);
  Changes taken;
  std::swap(taken, slots[slot].changes);
  return taken;
}

void FolderWatch::Ask(Request asked, int slot, const char* path) {
  if (!thread) {
    if (!wake) {
      wake = ::CreateEventA(NULL, FALSE, FALSE, NULL);
      answered = ::CreateEventA(NULL, FALSE, FALSE, NULL);
      for (int i = 0; i < SlotCount; ++i) slots[i].event = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    }
    thread = ::CreateThread(NULL, 0, ThreadStart, this, 0, NULL);
    if (!thread) {
      // No thread, no watch: every folder is read afresh.
      Locked locked(lock);
      for (int i = 0; i < SlotCount; ++i) slots[i].watching = false;
      return;
    }
  }
  {
    Locked locked(lock);
    request = asked;
    requestSlot = slot;
    requestPath = path;
  }
  ::SetEvent(wake);
  ::WaitForSingleObject(answered, INFINITE);
}

DWORD WINAPI FolderWatch::ThreadStart(void* watch) {
  static_cast<FolderWatch*>(watch)->Run();
  return 0;
}

void FolderWatch::Run() {
  for (;;) {
    HANDLE waits[1 + SlotCount];
    DWORD count = 0;
    waits[count++] = wake;
    for (int i = 0; i < SlotCount; ++i)
      if (slots[i].pending) waits[count++] = slots[i].event;
    ::WaitForMultipleObjects(count, waits, FALSE, INFINITE);
    DrainReports();
    Request asked;
    int slot;
    std::string path;
    {
      Locked locked(lock);
      asked = request;
      slot = requestSlot;
      path = requestPath;
      request = Request::None;
    }
    switch (asked) {
      case Request::None:
      case Request::Collect:
        break;
      case Request::Watch:
        Close(slots[slot]);
        {
          Locked locked(lock);
          slots[slot].path = path;
        }
        Arm(slots[slot]);
        break;
      case Request::Unwatch:
        Close(slots[slot]);
        break;
      case Request::Quit:
        for (int i = 0; i < SlotCount; ++i) Close(slots[i]);
        ::SetEvent(answered);
        return;
    }
    if (asked != Request::None) ::SetEvent(answered);
  }
}

void FolderWatch::DrainReports() {
  // Every report in before any request is answered, so that a search sees
  // each change made before it asked. A wait, even one that returns at once,
  // also lets a read that the system has finished meanwhile complete: under
  // Wine the reports reach the thread only in a wait.
  for (;;) {
    HANDLE events[SlotCount];
    Slot* of[SlotCount];
    DWORD count = 0;
    for (int i = 0; i < SlotCount; ++i)
      if (slots[i].pending) {
        events[count] = slots[i].event;
        of[count++] = &slots[i];
      }
    if (count == 0) return;
    DWORD signalled = ::WaitForMultipleObjects(count, events, FALSE, 0);
    if (signalled >= WAIT_OBJECT_0 + count) return;
    CollectReports(*of[signalled - WAIT_OBJECT_0]);
  }
}

void FolderWatch::Arm(Slot& slot) {
  std::string path;
  {
    Locked locked(lock);
    path = slot.path;
    slot.changes = Changes();
  }
  slot.folder = OpenFolder(ops, path.c_str(), FILE_LIST_DIRECTORY, FILE_FLAG_OVERLAPPED);
  FolderIdentity identity;
  if (slot.folder == INVALID_HANDLE_VALUE) return;
  if (!IdentityOf(ops, slot.folder, identity)) return Close(slot);
  if (!StartRead(slot)) return Close(slot);
  Locked locked(lock);
  slot.identity = identity;
  slot.watching = true;
}

void TakeReports(bool read, const void* reports, DWORD got, FolderWatch::Changes& changes) {
  // Success with nothing in it: the reports did not fit, and were lost.
  if (!read || got == 0) changes.everything = true;
  for (DWORD at = 0; read && got >= at + sizeof(FILE_NOTIFY_INFORMATION) - sizeof(WCHAR);) {
    const FILE_NOTIFY_INFORMATION* report = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(static_cast<const char*>(reports) + at);
    DWORD nameAt = at + offsetof(FILE_NOTIFY_INFORMATION, FileName);
    if (report->FileNameLength > got - nameAt) {
      changes.everything = true;
      break;
    }
    size_t wide = report->FileNameLength / sizeof(WCHAR);
    changes.names.insert(Utf8FromUtf16(reinterpret_cast<const char16_t*>(report->FileName), wide));
    if (report->NextEntryOffset == 0) break;
    at += report->NextEntryOffset;
  }
}

void FolderWatch::CollectReports(Slot& slot) {
  DWORD got = 0;
  bool read = ops.WatchResult(slot.folder, &slot.overlapped, &got, FALSE) != FALSE;
  slot.pending = false;
  {
    Locked locked(lock);
    TakeReports(read, slot.reports, got, slot.changes);
  }
  if (read && StartRead(slot)) return;
  {
    Locked locked(lock);
    slot.changes.everything = true;
  }
  Close(slot);
}

bool FolderWatch::StartRead(Slot& slot) {
  ::ResetEvent(slot.event);
  slot.overlapped = OVERLAPPED();
  slot.overlapped.hEvent = slot.event;
  slot.pending = ops.WatchChanges(slot.folder, slot.reports, sizeof(slot.reports), WatchedChanges, &slot.overlapped) != FALSE;
  return slot.pending;
}

void FolderWatch::Close(Slot& slot) {
  if (slot.pending) {
    // The system writes into the slot until the cancelled read is done.
    ops.CancelWatch(slot.folder);
    DWORD got;
    ops.WatchResult(slot.folder, &slot.overlapped, &got, TRUE);
    slot.pending = false;
  }
  if (slot.folder != INVALID_HANDLE_VALUE) ops.Close(slot.folder);
  slot.folder = INVALID_HANDLE_VALUE;
  Locked locked(lock);
  slot.watching = false;
}
