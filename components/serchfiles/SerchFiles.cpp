#include "SerchFiles.h"

#include <windows.h>

CSerchFiles::CSerchFiles(const char* folderPath, unsigned int) {
  // The memo list's own two patterns, so the search reads what the panel lists.
  AddFiles(folderPath, "*.txt", MemoFileType::Text);
  AddFiles(folderPath, "*.htm*", MemoFileType::Html);
}

void CSerchFiles::AddFiles(const char* folderPath, const char* pattern, MemoFileType type) {
  CString search(folderPath);
  search += pattern;
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA(search, &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    // The patterns also match short names (notes.txt~ is NOTES~1.TXT).
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && MemoFileTypeOf(found.cFileName) == type) files.Add(found.cFileName);
  } while (::FindNextFileA(find, &found));
  ::FindClose(find);
}
