// What the extended edit functions do to the memo's text and file.
#include <cstring>
#include <string>

#include "core/DeleteReplace.h"
#include "operations/DialogSettings.h"
#include "store/MemoFile.h"
#include "core/MemoPaths.h"
#include "operations/ExtEditDialog.h"
#include "core/SettingKeys.h"
#include "framework/WideText.h"

namespace {

// folder\title.txt; false when it does not fit MAX_PATH.
bool FolderFilePath(const char* folder, const char* title, char* out) {
  char folderPath[MAX_PATH];
  return FormMemoFolderPath(folder, folderPath, sizeof(folderPath)) && FormMemoFilePath(folderPath, title, ".txt", out, MAX_PATH);
}

}  // namespace

std::u16string ExtEditDialog::StampLine() {
  char stamp[SettingValueSize];
  ReadDialogSetting(hostSettings, SettingKeys[StampKey], stamp);
  return u"\r\n" + WideFromCp932(stamp);
}

int ExtEditDialog::DeleteOrReplace(std::u16string& text) {
  std::u16string result;
  size_t count = ::DeleteOrReplace(text, WideFromCp932(searchText, searchText.GetLength()),
                                   WideFromCp932(replaceText, replaceText.GetLength()), replaceChecked != 0, result);
  text.swap(result);
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
