// Handing the open memo to the external editor set in the settings.
#include <windows.h>
#include <io.h>
#include <shellapi.h>

#include "SettingKeys.h"
#include "ToolPanel.h"

void ToolPanel::OpenInEditor() {
  if (currentTitle == NoMemoTitle) return;
  if (currentSelection < 0) return;
  char path[MAX_PATH];
  if (currentKind == MemoKindText) {
    if (!MemoFilePath(".txt", path)) return;
    // The editor starts from what the panel shows.
    WriteMemoFile(path);
  } else if (currentKind == MemoKindHtml) {
    if (!MemoFilePath(".html", path)) return;
    if (_access(path, 0) != 0 && !MemoFilePath(".htm", path)) return;
  } else {
    return;
  }
  char editor[SettingValueSize];
  ReadSetting(SettingKeys[EditorPathKey], editor);
  // The path goes unquoted, as editors configured for this tool expect it.
  ::ShellExecuteA(NULL, "open", editor, path, "", SW_SHOWNORMAL);
}
