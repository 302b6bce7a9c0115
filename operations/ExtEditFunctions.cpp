// What the extended edit functions do to the memo's text and file.
#include <cstring>
#include <string>

#include "DeleteReplace.h"
#include "DialogSettings.h"
#include "MemoFile.h"
#include "MemoPaths.h"
#include "ExtEditDialog.h"
#include "SettingKeys.h"

namespace {

// folder\title.txt; false when it does not fit MAX_PATH.
bool FolderFilePath(const char* folder, const char* title, char* out) {
  char folderPath[MAX_PATH];
  return FormMemoFolderPath(folder, folderPath, sizeof(folderPath)) && FormMemoFilePath(folderPath, title, ".txt", out, MAX_PATH);
}

}  // namespace

void ExtEditDialog::AppendStamp(CString& text) {
  char stamp[SettingValueSize];
  ReadDialogSetting(hostSettings, SettingKeys[StampKey], stamp);
  text += "\r\n";
  text += stamp;
}

int ExtEditDialog::DeleteOrReplace(CString& text) {
  std::string result;
  size_t count = ::DeleteOrReplace(text, text.GetLength(), searchText, searchText.GetLength(), replaceText, replaceText.GetLength(),
                                   replaceChecked != 0, result);
  // Straight into a fresh buffer: one copy, and no copy of the old text.
  int length = static_cast<int>(result.size());
  text.Empty();
  memcpy(text.GetBuffer(length), result.data(), length);
  text.ReleaseBuffer(length);
  return static_cast<int>(count);
}

BOOL ExtEditDialog::MoveMemoFile(const char* folder, const char* title) {
  char targetFolder[SettingValueSize];
  ReadDialogSetting(hostSettings, FolderPathKey(targetIndex + 1), targetFolder);
  if (folder[0] == '\0' || targetFolder[0] == '\0') {
    ::SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  char source[MAX_PATH], target[MAX_PATH];
  if (!FolderFilePath(folder, title, source) || !FolderFilePath(targetFolder, title, target)) {
    ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return FALSE;
  }
  return RenameMemoFile(source, target);
}
