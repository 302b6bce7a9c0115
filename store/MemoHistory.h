// The versions a write replaces or removes, kept as plain files that any
// editor opens: under Scribbit\History\ in the user's local application
// data, a folder per memo, named by its path, holding index.txt (the memo's
// path, and when it went, if it did) and each version, named by the UTC time
// it was replaced (20261208-101530-123.txt), with the memo's extension.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "store/MemoFile.h"

class MemoHistory {
public:
  explicit MemoHistory(MemoFileOps& fileOps) : ops(&fileOps) {}
  // Waits for a pruning under way, which stops at its next file.
  ~MemoHistory();
  MemoHistory(const MemoHistory&) = delete;
  MemoHistory& operator=(const MemoHistory&) = delete;

  // Where the history lives, ending in a backslash; by default
  // Scribbit\History\ in the user's local application data.
  void SetPath(const std::string& folder) { path = folder; }
  const std::string& Path();
  void UseOps(MemoFileOps& fileOps) { ops = &fileOps; }

  // Keeps the file at memoPath, whose bytes are known, as a version, on the
  // disk before this returns: on the file's volume as a second name of the
  // same file, which costs no copy, and else, or asCopy, as a copy. The
  // version's path, or empty where none could be kept.
  std::string Keep(const char* memoPath, const std::string& known, bool asCopy = false);
  // A version just kept whose write then failed: the memo's file is as it
  // was, and the version's name goes.
  void Drop(const std::string& version);
  // The memo took a new name: its versions go with it, where it has none
  // under that name yet.
  void Follow(const char* oldPath, const char* newPath);
  // The memo at memoPath is gone: its versions stay a month from now.
  void MarkRemoved(const char* memoPath);
  // A file with a second name that a save left behind when it stopped
  // between keeping the version and replacing the file: that version goes,
  // and true says the file has no other name of the user's.
  bool ReleaseLeftName(const char* memoPath);

  struct Version {
    std::string path;
    uint64_t time;  // FILETIME ticks, UTC
    uint64_t size;
  };
  // The memo's versions, the newest first.
  std::vector<Version> VersionsOf(const char* memoPath);
  // Drops every version the schedule no longer keeps, of every memo.
  void Prune(uint64_t now);
  // The same on a thread of its own, away from typing and saving.
  void PruneInBackground();

private:
  std::string FolderOf(const char* memoPath);
  // The memo's folder, made where missing with its index.
  bool Prepare(const std::string& folder, const char* memoPath, uint64_t deletedAt);
  static std::vector<Version> VersionsIn(MemoFileOps& calls, const std::string& folder);

  static DWORD WINAPI PruneThread(void* history);

  MemoFileOps* ops;
  std::string path;
  HANDLE pruning = NULL;
  volatile LONG stopping = 0;
};

// The current time as FILETIME ticks.
uint64_t HistoryNow();
