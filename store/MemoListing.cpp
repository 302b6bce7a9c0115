#include "store/MemoListing.h"

#include <string>
#include <utility>
#include <vector>

namespace {

ListedStamp StampOf(const WIN32_FIND_DATAA& found) {
  return ListedStamp{(static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow, found.ftLastWriteTime};
}

// Short names are never used, and making them costs: Windows 7 and later
// can leave them out, in larger batches. Older Windows refuses the level and
// gets the plain call.
HANDLE FindWithoutShortNames(const char* search, WIN32_FIND_DATAA& found) {
  const FINDEX_INFO_LEVELS basicInfo = static_cast<FINDEX_INFO_LEVELS>(1);
  const DWORD largeFetch = 2;
  HANDLE find = ::FindFirstFileExA(search, basicInfo, &found, FindExSearchNameMatch, NULL, largeFetch);
  if (find == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_INVALID_PARAMETER) find = ::FindFirstFileA(search, &found);
  return find;
}

}  // namespace

void ForEachMemoFile(const char* folderPath, const std::function<void(const char*, MemoFileType, const ListedStamp&)>& visit) {
  // One pass over the folder for both kinds: under Wine each pattern would
  // read the whole folder again. A file's type is told by its long name, so
  // a short name (NOTES~1.TXT for notes.txt~) never counts.
  std::string search(folderPath);
  search += "*";
  WIN32_FIND_DATAA found;
  HANDLE find = FindWithoutShortNames(search.c_str(), found);
  if (find == INVALID_HANDLE_VALUE) return;
  std::vector<std::pair<std::string, ListedStamp>> html;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    switch (MemoFileTypeOf(found.cFileName)) {
      case MemoFileType::Text:
        visit(found.cFileName, MemoFileType::Text, StampOf(found));
        break;
      case MemoFileType::Html:
        html.emplace_back(found.cFileName, StampOf(found));
        break;
      case MemoFileType::None:
        break;
    }
  } while (::FindNextFileA(find, &found));
  ::FindClose(find);
  for (const auto& file : html) visit(file.first.c_str(), MemoFileType::Html, file.second);
}

