// The panel's message boxes: shown at once, or held while the host waits;
// each bracketed by the modal flag the host reads.
#include "framework/MessageBox.h"
#include "framework/WideText.h"
#include "plugin/ToolPanel.h"

int ToolPanel::ShowMessage(const char* text, UINT type) { return ShowMessage(WideFromCp932(text), type); }

int ToolPanel::ShowMessage(const std::u16string& text, UINT type) {
  // The session ends: nobody is left to read it, and a box would hold the
  // process until answered.
  if (sessionEnded) return IDOK;
  // The host waits in SaveState: a box now would hold it until answered.
  if (hostWaiting) {
    DeferMessage(text, type);
    return IDOK;
  }
  ModalScope modal(*this);
  return AfxMessageBox(text, type);
}

namespace {

// Why a file call failed, in the user's words; the system's own text where
// there are none of ours.
CString FailureReason(DWORD error) {
  static const struct {
    DWORD error;
    const char* reason;
  } reasons[] = {
      {ERROR_DISK_FULL, "ディスクの空き領域が不足しています。"},
      {ERROR_HANDLE_DISK_FULL, "ディスクの空き領域が不足しています。"},
      {ERROR_SHARING_VIOLATION, "別のプログラムが使用中です。"},
      {ERROR_LOCK_VIOLATION, "別のプログラムが使用中です。"},
      {ERROR_ACCESS_DENIED, "アクセスが拒否されました。別のプログラムが使用中の可能性があります。"},
      {ERROR_FILE_NOT_FOUND, "ファイルが見つかりません。"},
      {ERROR_PATH_NOT_FOUND, "フォルダが見つかりません。"},
      {ERROR_FILENAME_EXCED_RANGE, "パスが長すぎます。"},
      {ERROR_FILE_EXISTS, "同じ名前のファイルがすでにあります。"},
      {ERROR_ALREADY_EXISTS, "同じ名前のファイルがすでにあります。"},
      {ERROR_WRITE_PROTECT, "ディスクが書き込み禁止になっています。"},
      {ERROR_NO_UNICODE_TRANSLATION, "メモの文字コードで保存できない文字が含まれています。"},
  };
  for (const auto& known : reasons)
    if (known.error == error) return known.reason;
  char text[512] = "";
  DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, text, sizeof(text), NULL);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' ')) text[--length] = '\0';
  CString reason;
  if (length > 0)
    reason = text;
  else
    reason.Format("エラー %lu が発生しました。", static_cast<unsigned long>(error));
  return reason;
}

}  // namespace

int ToolPanel::ShowFailure(const char* text, DWORD error) { return ShowFailure(WideFromCp932(text), error); }

int ToolPanel::ShowFailure(const std::u16string& text, DWORD error) {
  CString reason = FailureReason(error);
  return ShowMessage(text + u"\n" + WideFromCp932(reason, reason.GetLength()), MB_ICONEXCLAMATION);
}

void ToolPanel::DeferMessage(const std::u16string& text, UINT type) {
  deferredMessages.push_back(std::make_pair(text, type));
  if (deferredMessages.size() == 1) PostMessage(WM_PANEL_DEFERRED_MESSAGES);
}

void ToolPanel::ShowDeferredMessages() {
  std::vector<std::pair<std::u16string, UINT>> messages;
  messages.swap(deferredMessages);
  for (const auto& message : messages) ShowMessage(message.first, message.second);
}

void ToolPanel::EnterModal() {
  ++modalDepth;
  modalFlag = 1;
}

void ToolPanel::LeaveModal() {
  if (--modalDepth > 0) return;
  modalFlag = 0;
  if (settingsPending && m_hWnd) {
    settingsPending = false;
    PostMessage(WM_TOOL_SETTINGS);
  }
}
