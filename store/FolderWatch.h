// Changes in the memo folders as the platform reports them, so that the
// search's memo cache knows which memos to read afresh.
//
// One thread of its own keeps a ReadDirectoryChangesW pending on every folder
// watched: a read a thread issues ends with that thread, and the host may
// search from a new thread each time. Whoever asks runs only brief calls that
// hand a request to that thread and wait for its answer.
#pragma once
#include <windows.h>

#include <set>
#include <string>

#include "store/MemoFileOps.h"

class FolderWatch {
public:
  static const int SlotCount = 5;

  explicit FolderWatch(MemoFileOps& ops);
  // Ends the watching thread and every read it keeps pending.
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // Watches the folder at path (ending with a backslash) in a slot, in place
  // of what the slot watched. False when the platform reports no changes
  // there: a folder that is missing, or a network folder that cannot.
  bool Watch(int slot, const char* path);
  void Unwatch(int slot);
  // Whether the slot still watches the folder its path names now: false once
  // the folder was removed, or another put in its place.
  bool IsWatching(int slot, const char* path);

  // What changed in a slot's folder since the last call, for each slot asked
  // after one Collect, which takes in every report the platform has made.
  struct Changes {
    // The changes were too many to report one by one, or the watch ended.
    bool everything = false;
    // Names of files created, changed, renamed or deleted, as reported.
    std::set<std::string> names;
  };
  void Collect();
  Changes TakeChanges(int slot);

private:
  struct Slot;
  enum class Request { None, Watch, Unwatch, Collect, Quit };

  static DWORD WINAPI ThreadStart(void* watch);
  void Run();
  // On the watching thread.
  void DrainReports();
  void CollectReports(Slot& slot);
  void Arm(Slot& slot);
  bool StartRead(Slot& slot);
  void Close(Slot& slot);
  void Ask(Request request, int slot, const char* path);

  MemoFileOps& ops;
  Slot* slots;
  HANDLE thread = NULL;
  HANDLE wake = NULL;
  HANDLE answered = NULL;
  CRITICAL_SECTION lock;
  Request request = Request::None;
  int requestSlot = 0;
  std::string requestPath;
  bool requestDone = false;
};

// Adds what a read of the folder's reports gave to changes: each name
// reported, or everything when the read failed, or the reports did not fit
// (success with no bytes) or came cut.
void TakeReports(bool read, const void* reports, DWORD got, FolderWatch::Changes& changes);
