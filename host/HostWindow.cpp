#include "HostWindow.h"

#include <cstddef>
#include <cstdio>
#include <string>

#include "HostCommands.h"
#include "framework/ProcAddress.h"

// The host's own window object as its framework lays it out: a virtual
// table pointer, 24 bytes of bookkeeping, then the window handle at offset 28.
struct HostWindowObject {
  const void* virtualTable;
  void* bookkeeping[6];
  HWND handle;
};
static_assert(offsetof(HostWindowObject, handle) == 28, "the tool reads the handle at offset 28");

namespace {

const char windowClass[] = "JotbookStandInHost";

const int margin = 8;
const int statusHeight = 36;

}  // namespace

HostWindow::HostWindow(const std::string& iniPath, const std::string& dataFolder)
    : settings(iniPath, dataFolder),
      hostWnd(new HostWindowObject()),
      window(NULL),
      status(NULL),
      closeAfterSearch(false),
      library(NULL),
      newTool(NULL),
      tool(NULL),
      toolThread(NULL),
      showPanelWhenReleased(false) {}

bool HostWindow::Start(const char* dllPath) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = ::GetModuleHandleA(NULL);
  wc.hCursor = ::LoadCursorA(NULL, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = windowClass;
  ::RegisterClassA(&wc);

  HMENU menu = ::CreateMenu();
  HMENU toolMenu = ::CreatePopupMenu();
  ::AppendMenuA(toolMenu, MF_STRING, CommandShowPanel, "スクリビットのパネルを表示(&P)");
  ::AppendMenuA(toolMenu, MF_STRING, CommandSettings, "スクリビットの設定(&S)...");
  ::AppendMenuA(toolMenu, MF_STRING, CommandSaveState, "状態を保存(&V)");
  ::AppendMenuA(toolMenu, MF_SEPARATOR, 0, NULL);
  ::AppendMenuA(toolMenu, MF_STRING, CommandAbout, "バージョン情報(&A)...");
  ::AppendMenuA(toolMenu, MF_SEPARATOR, 0, NULL);
  ::AppendMenuA(toolMenu, MF_STRING, CommandExit, "終了(&X)");
  ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(toolMenu), "ツール(&T)");

  window = ::CreateWindowExA(0, windowClass, "Jotbook (stand-in host)", WS_OVERLAPPEDWINDOW, 780, 0, 460, 420, NULL, menu,
                             ::GetModuleHandleA(NULL), this);
  if (!window) return false;
  status = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 0, 0, window, NULL, ::GetModuleHandleA(NULL), NULL);
  ::SendMessageA(status, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  search.Create(window);
  OnSize();
  hostWnd->handle = window;
  ::ShowWindow(window, SW_SHOWNORMAL);

  library = ::LoadLibraryA(dllPath);
  newTool = library ? GetProcAddressAs<NewToolFunction>(library, "NewJotbookTool") : NULL;
  if (!newTool) {
    SetStatus("Scribbit.dll を読み込めませんでした。");
    return false;
  }
  return StartTool();
}

bool HostWindow::StartTool() {
  tool = newTool(reinterpret_cast<CWnd*>(hostWnd), &settings);
  if (!tool) return false;
  SetStatus("スクリビットを起動しています...");
  tool->StartTool();
  // Keep the panel thread's handle: its end tells when the tool may be deleted.
  if (tool->uiThread)
    ::DuplicateHandle(::GetCurrentProcess(), tool->uiThread->m_hThread, ::GetCurrentProcess(), &toolThread, SYNCHRONIZE, FALSE, 0);
  return true;
}

int HostWindow::Run() {
  for (;;) {
    // Wide, so that a typed double-byte character reaches the search field whole.
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
      if (search.PreTranslateMessage(msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    // Besides messages, wait for the end of the panel's thread, after its panel closed.
    DWORD handles = toolThread ? 1 : 0;
    if (::MsgWaitForMultipleObjects(handles, &toolThread, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 && handles) OnToolThreadEnded();
  }
}

LRESULT CALLBACK HostWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  }
  HostWindow* host = reinterpret_cast<HostWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (host && host->window == window) return host->OnMessage(message, wParam, lParam);
  return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT HostWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TOOL_READY:
      if (tool && tool->m_hWnd) ::ShowWindow(tool->m_hWnd, SW_SHOWNORMAL);
      SetStatus("スクリビットのパネルを表示しました。");
      return 0;
    case WM_TOOL_ACTIVATED:
      return 0;
    case WM_TOOL_CLOSING:
      SetStatus("スクリビットのパネルが閉じられました。");
      return 0;
    case WM_TOOL_SEARCH_RESULT:
      // wParam is the tool's string object, whose one member points at the text.
      if (wParam) search.OnResult(*reinterpret_cast<const char* const*>(wParam));
      return 0;
    case WM_HOST_SEARCH_DONE:
      OnSearchDone();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

void HostWindow::OnCommand(int id) {
  switch (id) {
    case CommandShowPanel:
      OnShowPanel();
      break;
    case CommandSettings:
      if (tool && tool->m_hWnd) ::PostMessageA(tool->m_hWnd, WM_TOOL_SETTINGS, 0, 0);
      break;
    case CommandSaveState:
      if (tool) {
        char text[64];
        snprintf(text, sizeof(text), "SaveState の結果: %d", tool->SaveState());
        SetStatus(text);
      }
      break;
    case CommandAbout:
      ShowAbout();
      break;
    case CommandExit:
      OnClose();
      break;
    case IdSearchStart:
      OnSearchStart();
      break;
    case IdSearchStop:
      search.Stop();
      SetStatus("検索を中止しています...");
      break;
  }
}

void HostWindow::OnSize() {
  RECT client;
  ::GetClientRect(window, &client);
  RECT area = {client.left + margin, client.top + margin, client.right - margin, client.bottom - margin - statusHeight};
  search.Layout(area);
  ::MoveWindow(status, area.left, area.bottom + margin / 2, area.right - area.left, statusHeight - margin / 2, TRUE);
}

void HostWindow::OnShowPanel() {
  if (!tool) {
    StartTool();
    return;
  }
  HWND panel = tool->m_hWnd;
  if (!panel) {
    // The panel is closing: a new one follows once its tool is released.
    showPanelWhenReleased = true;
    ReleaseEndedTool();
    return;
  }
  if (::IsIconic(panel)) ::ShowWindow(panel, SW_RESTORE);
  ::SetForegroundWindow(panel);
}

void HostWindow::OnToolThreadEnded() {
  ::CloseHandle(toolThread);
  toolThread = NULL;
  ReleaseEndedTool();
}

void HostWindow::ReleaseEndedTool() {
  if (!tool || toolThread || search.Running()) return;
  delete tool;
  tool = NULL;
  if (showPanelWhenReleased) {
    showPanelWhenReleased = false;
    StartTool();
  }
}

void HostWindow::OnSearchStart() {
  if (!tool) {
    SetStatus("パネルを表示してから検索してください。");
    return;
  }
  if (!search.Start(tool, reinterpret_cast<CWnd*>(hostWnd))) return;
  std::string text = "「" + search.Keyword() + "」を検索しています...";
  SetStatus(text.c_str());
}

void HostWindow::OnSearchDone() {
  search.OnDone();
  char text[128];
  snprintf(text, sizeof(text), search.WasStopped() ? "検索を中止しました: %d 件" : "検索が終わりました: %d 件", search.ResultCount());
  SetStatus(text);
  if (closeAfterSearch) {
    OnClose();
    return;
  }
  ReleaseEndedTool();
}

void HostWindow::ShowAbout() {
  if (!tool) return;
  std::string text;
  char line[128];
  snprintf(line, sizeof(line), "%s (%s)\nツール番号: %d\n\n", tool->GetDisplayName(), static_cast<const char*>(tool->toolName),
           tool->toolNumber);
  text += line;
  for (int i = 0; i < tool->history.GetSize(); ++i) {
    text += tool->history[i];
    text += "\n";
  }
  ::MessageBoxA(window, text.c_str(), "バージョン情報", MB_OK | MB_ICONINFORMATION);
}

void HostWindow::OnClose() {
  // The tool object must outlive the search that runs in it.
  if (search.Running()) {
    closeAfterSearch = true;
    search.Stop();
    return;
  }
  // A message box or dialog of the tool is open: closing the panel under it
  // would pull the panel away from the code still waiting on it.
  if (tool && tool->modalFlag) {
    ::MessageBoxA(window, "スクリビットのダイアログを閉じてから終了してください。", "Jotbook", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (tool) {
    // The panel saves its open memo and stores its position as it closes.
    if (tool->m_hWnd) ::SendMessageA(tool->m_hWnd, WM_CLOSE, 0, 0);
    bool threadEnded = true;
    if (toolThread) {
      threadEnded = ::WaitForSingleObject(toolThread, 10000) == WAIT_OBJECT_0;
      ::CloseHandle(toolThread);
      toolThread = NULL;
    }
    // A panel thread still running uses the tool object: leave it to the process's end.
    if (threadEnded) delete tool;
    tool = NULL;
  }
  ::DestroyWindow(window);
}

void HostWindow::SetStatus(const char* text) {
  if (status) ::SetWindowTextA(status, text);
}
