// CSerchFiles: the file-list engine of the host search and the memo list. It
// lists the memo files that lie directly in one folder.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "AfxString.h"
#include "MemoTitle.h"

// A memo's size and last write time as the folder's listing gave them.
struct ListedStamp {
  unsigned long long size;
  FILETIME lastWrite;
  bool operator==(const ListedStamp& other) const {
    return size == other.size && lastWrite.dwLowDateTime == other.lastWrite.dwLowDateTime &&
           lastWrite.dwHighDateTime == other.lastWrite.dwHighDateTime;
  }
};

// Calls visit for each memo file directly in the folder (ending with a
// backslash), text memos first, each kind in the platform's order.
void ForEachMemoFile(const char* folderPath, const std::function<void(const char*, MemoFileType, const ListedStamp&)>& visit);

class CSerchFiles {
public:
  // folderPath ends with a backslash; reserved is always 0.
  CSerchFiles(const char* folderPath, unsigned int reserved);
  virtual ~CSerchFiles() = default;
  CSerchFiles(const CSerchFiles&) = delete;
  CSerchFiles& operator=(const CSerchFiles&) = delete;

  // The memo files found, each named relative to the folder, text memos
  // first, each kind in the platform's order; empty when the folder is
  // missing. The array belongs to this object.
  CStringArray* gFc_GetListFiles() { return &files; }

  const ListedStamp& StampAt(int index) const { return stamps[index]; }

private:
  CStringArray files;
  std::vector<ListedStamp> stamps;
};
