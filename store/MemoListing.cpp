#include "store/MemoListing.h"

#include <string>
#include <utility>
#include <vector>

namespace {

ListedStamp StampOf(const FoundFile& found) {
  return ListedStamp{found.size, found.lastWrite, (found.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0};
}

}  // namespace

void ForEachMemoFile(MemoFileOps& ops, const char* folderPath,
                     const std::function<void(const char*, MemoFileType, const ListedStamp&)>& visit) {
  // One pass over the folder for both kinds: under Wine each pattern would
  // read the whole folder again. A file's type is told by its long name, so
  // a short name (NOTES~1.TXT for notes.txt~) never counts.
  std::string search(folderPath);
  search += "*";
  FoundFile found;
  HANDLE find = ops.FindFirst(search.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  std::vector<std::pair<std::string, ListedStamp>> html;
  do {
    if (found.attributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    switch (MemoFileTypeOf(found.name.c_str())) {
      case MemoFileType::Text:
        visit(found.name.c_str(), MemoFileType::Text, StampOf(found));
        break;
      case MemoFileType::Html:
        html.emplace_back(found.name, StampOf(found));
        break;
      case MemoFileType::None:
        break;
    }
  } while (ops.FindNext(find, &found));
  ops.FindClose(find);
  for (const auto& file : html) visit(file.first.c_str(), MemoFileType::Html, file.second);
}
