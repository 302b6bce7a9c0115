#include "GuideScenes.h"

#include <commctrl.h>

#include "HostCommands.h"
#include "SearchPane.h"
#include "resources/resource.h"

namespace {
const DWORD stepTimeoutMs = 20000;
const char nameDialogCaption[] = "スクリビット";
const char extEditCaption[] = "メモ編集 拡張機能";
const char settingsCaption[] = "スクリビットの設定";
// The panel's message boxes carry the module's name.
const char messageBoxCaption[] = "Scribbit";
const char deleteQuestionStart[] = "メモをを削除すると";
}  // namespace

bool GuideScenes::Run() {
  if (!WaitUntil([this] { return (panel = host.Panel()) && host.HostWindow(); }, "the host and its panel to show")) return false;
  if (!texts.memoOnly.empty()) return OpenMemo();
  return PanelWithMemos() && OpenMemo() && ExtendedEditDialog() && NameDialog() && DeleteQuestion() && SettingsDialog() && HostSearch();
}

bool GuideScenes::PanelWithMemos() {
  HWND list = host.MemoListView();
  return Check(list != NULL, "the panel has no memo list") &&
         WaitUntil([list] { return ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) > 0; }, "the memo list to fill") && Shoot("panel", panel);
}

bool GuideScenes::OpenMemo() {
  HWND list = host.MemoListView();
  if (!WaitUntil([list] { return ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) > 0; }, "the memo list to fill")) return false;
  HWND caption = ::GetDlgItem(panel, IDC_PANEL_TITLE);
  int count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  // Home opens the first memo, each Down the next, as the keys do for a user.
  std::string shown = WindowText(caption);
  for (int i = 0; i < count && shown != texts.openTitle; ++i) {
    ::PostMessageA(list, WM_KEYDOWN, i == 0 ? VK_HOME : VK_DOWN, 0);
    std::string before = shown;
    if (!WaitUntil([&] { return (shown = WindowText(caption)) != before; }, "the next memo to open")) return false;
  }
  return Check(shown == texts.openTitle, "no memo " + texts.openTitle + " in the list") &&
         Shoot(texts.memoOnly.empty() ? "memo" : texts.memoOnly, panel);
}

bool GuideScenes::ExtendedEditDialog() {
  ClickPanelButton(IDC_PANEL_EXT_EDIT);
  HWND dialog = WaitForDialog(extEditCaption);
  if (!dialog) return false;
  HWND replacement = ::GetDlgItem(dialog, IDC_EXT_REPLACE);
  // Checked as a click does, though without moving the focus, which would
  // show a focus frame in some pictures and not in others.
  HWND check = ::GetDlgItem(dialog, IDC_EXT_REPLACE_CHECK);
  ::SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXT_REPLACE_CHECK, BN_CLICKED), reinterpret_cast<LPARAM>(check));
  return SetText(::GetDlgItem(dialog, IDC_EXT_SEARCH), texts.replaceFrom) &&
         WaitUntil([replacement] { return ::IsWindowEnabled(replacement) != FALSE; }, "the replacement field to enable") &&
         SetText(replacement, texts.replaceTo) && Shoot("ext-edit", dialog) && Dismiss(dialog, IDCANCEL);
}

bool GuideScenes::NameDialog() {
  ClickPanelButton(IDC_PANEL_NEW);
  HWND dialog = WaitForDialog(nameDialogCaption);
  return dialog && SetText(::GetDlgItem(dialog, IDC_MEMO_NAME_TITLE), texts.newTitle) && Shoot("name-dialog", dialog) &&
         Dismiss(dialog, IDCANCEL);
}

bool GuideScenes::DeleteQuestion() {
  ClickPanelButton(IDC_PANEL_DELETE);
  HWND box = WaitForDialog(messageBoxCaption);
  // A message box holds its text in the static control 0xFFFF.
  return box &&
         Check(WindowText(::GetDlgItem(box, 0xFFFF)).rfind(deleteQuestionStart, 0) == 0,
               "the delete button asked something else: " + WindowText(::GetDlgItem(box, 0xFFFF))) &&
         Shoot("delete-question", box) && Dismiss(box, IDNO);
}

bool GuideScenes::SettingsDialog() {
  ::PostMessageA(host.HostWindow(), WM_COMMAND, MAKEWPARAM(CommandSettings, 0), 0);
  HWND dialog = WaitForDialog(settingsCaption);
  return dialog && Shoot("settings", dialog) && Dismiss(dialog, IDCANCEL);
}

bool GuideScenes::HostSearch() {
  HWND window = host.HostWindow();
  HWND start = ::GetDlgItem(window, IdSearchStart);
  HWND results = ::GetDlgItem(window, IdSearchResults);
  if (!SetText(::GetDlgItem(window, IdSearchField), texts.searchWords)) return false;
  ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IdSearchStart, BN_CLICKED), reinterpret_cast<LPARAM>(start));
  // The start button is disabled while the search runs and the results come in.
  return WaitUntil([&] { return ::SendMessageA(results, LB_GETCOUNT, 0, 0) > 0 && ::IsWindowEnabled(start); },
                   "the search to find memos") &&
         Shoot("search", window);
}

bool GuideScenes::Check(bool ok, const std::string& what) {
  if (!ok && failure.empty()) failure = what;
  return ok;
}

bool GuideScenes::WaitUntil(const std::function<bool()>& done, const std::string& what) {
  DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > stepTimeoutMs) return Check(false, "waited in vain for " + what);
    ::Sleep(20);
  }
  return true;
}

HWND GuideScenes::WaitForDialog(const char* caption) {
  HWND dialog = NULL;
  WaitUntil([&] { return (dialog = host.Find("#32770", caption, panel)) != NULL; }, std::string("the window ") + caption);
  return dialog;
}

bool GuideScenes::Shoot(const std::string& name, HWND window) {
  // In front, as the window the user works in.
  ::SetForegroundWindow(window);
  auto active = [window] {
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof(thread);
    return ::GetForegroundWindow() == window && ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, NULL), &thread) &&
           thread.hwndActive == window;
  };
  // Wine leaves the caption of a window that was already its thread's active
  // one drawn inactive when that thread comes to the front; a click would
  // draw it active. The answer also says the thread has painted.
  DWORD_PTR answer;
  RECT area;
  return WaitUntil(active, "the window of " + name + " to come to the front") &&
         Check(::SendMessageTimeoutA(window, WM_NCACTIVATE, TRUE, 0, SMTO_NORMAL, stepTimeoutMs, &answer) != 0,
               "the window of " + name + " does not answer") &&
         Check(::GetWindowRect(window, &area) && shots.Take(name, area), "the picture " + name + " was not taken");
}

void GuideScenes::ClickPanelButton(int id) {
  // Posted: the panel's handler runs its dialog modally while this goes on.
  ::PostMessageA(panel, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(panel, id)));
}

bool GuideScenes::SetText(HWND control, const std::string& text) {
  ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return Check(WindowText(control) == text, "a field did not take the text " + text);
}

bool GuideScenes::Dismiss(HWND dialog, int button) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  return WaitUntil([dialog] { return !::IsWindow(dialog); }, "a dialog to close");
}
