// Handing the open memo to the external editor set in the settings.
#include <windows.h>
#include <io.h>
#include <cstdio>
#include <shellapi.h>

#include "core/SettingKeys.h"
#include "plugin/ToolPanel.h"

namespace {
const char pathTooLong[] = "メモファイルのパスが長すぎるため、エディタで開けませんでした！";
}  // namespace

void ToolPanel::OpenInEditor() {
  // An empty title (the list emptied by a delete) names no file either.
  if (!IsMemoOpen()) return;
  if (currentSelection < 0) return;
  if (currentKind != MemoKindText && currentKind != MemoKindHtml) return;
  char path[MAX_PATH];
  if (!MemoFilePath(currentKind == MemoKindText ? ".txt" : ".html", path) ||
      (currentKind == MemoKindHtml && _access(path, 0) != 0 && !MemoFilePath(".htm", path))) {
    ShowMessage(pathTooLong, MB_ICONEXCLAMATION);
    return;
  }
  // The editor starts from what the panel shows, and from the file as it is
  // when another program changed it.
  if (currentKind == MemoKindText && !memoSession.incomplete) {
    DiskSync sync = SyncWithDisk(path, true, TextPane().GetModify());
    writeDeclined = false;
    if (sync == DiskSync::Vanished)
      RestoreVanishedFile(path);
    else if (sync == DiskSync::Current && TextPane().GetModify())
      WriteMemoFile(path);
    // The user kept the edits out of the file: the editor would not see them.
    if (writeDeclined) return;
  }
  char editor[SettingValueSize];
  ReadSetting(SettingKeys[EditorPathKey], editor);
  // Quoted: a blank in the memo's folder or title would otherwise part the
  // path into several arguments. No path holds a quotation mark.
  char parameter[MAX_PATH + 2];
  snprintf(parameter, sizeof(parameter), "\"%s\"", path);
  ::ShellExecuteA(NULL, "open", editor, parameter, "", SW_SHOWNORMAL);
}
