#include "SerchFiles.h"

#include <string>
#include <utility>

#include "MemoTitle.h"

namespace {

ListedStamp StampOf(const WIN32_FIND_DATAA& found) {
  return ListedStamp{(static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow, found.ftLastWriteTime};
}

}  // namespace

CSerchFiles::CSerchFiles(const char* folderPath, unsigned int) {
  // One pass over the folder for both kinds: under Wine each pattern would
  // read the whole folder again. A file's type is told by its long name, so
  // a short name (NOTES~1.TXT for notes.txt~) never counts.
  CString search(folderPath);
  search += "*";
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA(search, &found);
  if (find == INVALID_HANDLE_VALUE) return;
  std::vector<std::pair<std::string, ListedStamp>> html;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    switch (MemoFileTypeOf(found.cFileName)) {
      case MemoFileType::Text:
        files.Add(found.cFileName);
        stamps.push_back(StampOf(found));
        break;
      case MemoFileType::Html:
        html.emplace_back(found.cFileName, StampOf(found));
        break;
      case MemoFileType::None:
        break;
    }
  } while (::FindNextFileA(find, &found));
  ::FindClose(find);
  textMemos = files.GetSize();
  for (const auto& file : html) {
    files.Add(file.first.c_str());
    stamps.push_back(file.second);
  }
}
