// The folder of recovery records, outside the memo folders: each tool
// instance with edits not yet in their memo's file keeps one record there,
// and holds a lock beside it while it runs, so that a start takes only the
// records of tools that are gone.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "store/MemoFile.h"
#include "core/RecoveryRecord.h"

class RecoveryFolder {
public:
  explicit RecoveryFolder(MemoFileOps& ops);
  ~RecoveryFolder();
  RecoveryFolder(const RecoveryFolder&) = delete;
  RecoveryFolder& operator=(const RecoveryFolder&) = delete;

  // Where the records live, ending in a backslash; by default
  // Scribbit\Recovery\ in the user's local application data.
  void SetPath(const std::string& folder) { path = folder; }
  const std::string& Path();

  // Folder 1 of this tool, ending in a backslash: every record it writes
  // names it as the installation the edits belong to.
  void SetHome(const std::string& folder1) { home = folder1; }

  // Writes this instance's record in place of its last one, atomically and
  // durably; record.owner, record.serial and record.home are filled in. With forNextStart
  // the record belongs to nobody, so the next start restores it even while
  // this instance still runs.
  bool Write(RecoveryRecord& record, bool forNextStart = false);
  std::string RecordPath();
  MemoFileOps& Ops() { return *ops; }
  void UseOps(MemoFileOps& fileOps) { ops = &fileOps; }
  // Removes this instance's record, if it wrote one.
  void Remove();
  // This instance ends: a record it leaves belongs to nobody.
  void Release();

  struct Found {
    std::string path;
    bool readable;  // false: not a whole record; it is never deleted
    RecoveryRecord record;
  };
  // The records no running tool holds. Leftover temporary files of a record
  // write that did not finish count when they hold a whole record, and go
  // when they do not.
  std::vector<Found> Abandoned();

private:
  bool OwnerRunning(const std::string& owner);
  MemoFileOps* ops;
  std::string path;
  std::string owner;
  std::string home;
  uint32_t serial;
  HANDLE lock;
  bool written;
};
