#include "components/serchfiles/SerchFiles.h"

CSerchFiles::CSerchFiles(MemoFileOps& ops, const char* folderPath, unsigned int) {
  ForEachMemoFile(ops, folderPath, [this](const char* name, MemoFileType, const ListedStamp& stamp) {
    files.Add(name);
    stamps.push_back(stamp);
  });
}
