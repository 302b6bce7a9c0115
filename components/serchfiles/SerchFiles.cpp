#include "components/serchfiles/SerchFiles.h"

CSerchFiles::CSerchFiles(const char* folderPath, unsigned int) {
  ForEachMemoFile(folderPath, [this](const char* name, MemoFileType, const ListedStamp& stamp) {
    files.Add(name);
    stamps.push_back(stamp);
  });
}
