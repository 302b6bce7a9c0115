// CSerchFiles: the file-list engine of the host search. It lists the memo
// files that lie directly in one folder.
#pragma once
#include <windows.h>

#include <vector>

#include "framework/AfxString.h"
#include "store/MemoListing.h"

class CSerchFiles {
public:
  // folderPath ends with a backslash; reserved is always 0. The folder is
  // listed through ops.
  CSerchFiles(MemoFileOps& ops, const char* folderPath, unsigned int reserved);
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
