// What the extended edit functions do to the memo's text and file.
#include <string>

#include "core/DeleteReplace.h"
#include "core/MemoPaths.h"
#include "framework/WideText.h"
#include "operations/ExtEditDialog.h"
#include "plugin/ToolSettings.h"
#include "store/MemoFile.h"

std::u16string ExtEditDialog::StampLine() {
  std::string stamp = ToolSettings(hostSettings).Read(SettingKeys[StampKey]);
  return u"\r\n" + WideFromCp932(stamp.c_str());
}

int ExtEditDialog::DeleteOrReplace(std::u16string& text) {
  std::u16string result;
  size_t count = ::DeleteOrReplace(text, WideFromCp932(searchText, searchText.GetLength()),
                                   WideFromCp932(replaceText, replaceText.GetLength()), replaceChecked != 0, result);
  text.swap(result);
  return static_cast<int>(count);
}

BOOL ExtEditDialog::MoveMemoFile(MemoHistory& history, MemoFileOps& ops, const std::string& folder, const char* title) {
  ToolSettings settings(hostSettings);
  if (folder.empty() || !settings.IsFolderSet(targetIndex + 1)) {
    ::SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  std::string targetFolder;
  char source[MemoPathSize], target[MemoPathSize];
  if (!settings.FolderPath(targetIndex + 1, targetFolder) || !FormMemoFilePath(folder.c_str(), title, ".txt", source, sizeof(source)) ||
      !FormMemoFilePath(targetFolder.c_str(), title, ".txt", target, sizeof(target))) {
    ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return FALSE;
  }
  // What leaves the folder stays as a version of the memo there.
  std::string bytes;
  MemoFileStamp stamp;
  const std::string version =
      LoadMemoFile(ops, source, bytes, stamp) == MemoLoadResult::Loaded ? history.Keep(source, bytes, true) : std::string();
  if (!RenameMemoFile(ops, source, target)) {
    history.Drop(version);
    return FALSE;
  }
  history.MarkRemoved(source);
  return TRUE;
}
