// Handing the open memo to the external editor set in the settings.
#include <windows.h>
#include <shellapi.h>

#include "core/NameText.h"
#include "core/SettingKeys.h"
#include "framework/WideText.h"
#include "core/MemoPaths.h"
#include "plugin/ToolPanel.h"

namespace {
const char pathTooLong[] = "メモファイルのパスが長すぎるため、エディタで開けませんでした！";
}  // namespace

void ToolPanel::OpenInEditor() {
  if (!memo.IsOpen() || currentSelection < 0) return;
  char path[MemoPathSize];
  if (memo.IsText() ? !memo.FilePath(".txt", path) : !memo.HtmlPath(path)) {
    ShowMessage(pathTooLong, MB_ICONEXCLAMATION);
    return;
  }
  // The editor starts from what the panel shows, and from the file as it is
  // when another program changed it. The user kept the edits out of the
  // file: the editor would not see them.
  if (memo.IsText() && WriteOpenMemo(MemoWriter::Editor).outcome == WriteOutcome::Declined) return;
  // The editor's path is a setting, in code page 932; the memo's is its own.
  std::u16string editor = WideFromCp932(Settings().Read(SettingKeys[EditorPathKey]).c_str());
  // Quoted: a blank in the memo's folder or title would otherwise part the
  // path into several arguments. No path holds a quotation mark.
  std::u16string parameter = u"\"" + Utf16FromUtf8(path) + u"\"";
  ::ShellExecuteW(NULL, L"open", WidePointer(editor), WidePointer(parameter), L"", SW_SHOWNORMAL);
}
