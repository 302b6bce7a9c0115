// The memo files of one folder in one pass over it, for the memo list and
// the host search.
#pragma once
#include <windows.h>

#include <functional>

#include "core/MemoTitle.h"
#include "store/MemoFileOps.h"

// A memo's size and last write time as the folder's listing gave them.
struct ListedStamp {
  unsigned long long size;
  FILETIME lastWrite;
  // A symbolic link or junction: the listing gives the link's own size and
  // time, which say nothing of its target.
  bool link;
  bool operator==(const ListedStamp& other) const {
    return size == other.size && lastWrite.dwLowDateTime == other.lastWrite.dwLowDateTime &&
           lastWrite.dwHighDateTime == other.lastWrite.dwHighDateTime;
  }
};

// Calls visit for each memo file directly in the folder (ending with a
// backslash), text memos first, each kind in the platform's order.
void ForEachMemoFile(MemoFileOps& ops, const char* folderPath, const std::function<void(const char*, MemoFileType, const ListedStamp&)>& visit);
