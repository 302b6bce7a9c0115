#include "HostWindow.h"

#include <cstddef>
#include <cstdio>
#include <string>

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

enum MenuCommand {
  CommandSettings = 100,
  CommandSaveState,
  CommandAbout,
  CommandExit,
};

typedef ToolBase*(__cdecl* NewToolFunction)(CWnd*, HostSettings*);


}  // namespace

HostWindow::HostWindow(const std::string& iniPath, const std::string& dataFolder)
    : settings(iniPath, dataFolder), hostWnd(new HostWindowObject()), window(NULL), status(NULL), library(NULL), tool(NULL), toolThread(NULL) {}

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
  ::AppendMenuA(toolMenu, MF_STRING, CommandSettings, "スクリビットの設定(&S)...");
  ::AppendMenuA(toolMenu, MF_STRING, CommandSaveState, "状態を保存(&V)");
  ::AppendMenuA(toolMenu, MF_SEPARATOR, 0, NULL);
  ::AppendMenuA(toolMenu, MF_STRING, CommandAbout, "バージョン情報(&A)...");
  ::AppendMenuA(toolMenu, MF_SEPARATOR, 0, NULL);
  ::AppendMenuA(toolMenu, MF_STRING, CommandExit, "終了(&X)");
  ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(toolMenu), "ツール(&T)");

  window = ::CreateWindowExA(0, windowClass, "Jotbook (stand-in host)", WS_OVERLAPPEDWINDOW, 780, 0, 420, 300, NULL, menu,
                             ::GetModuleHandleA(NULL), this);
  if (!window) return false;
  status = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 390, 200, window, NULL, ::GetModuleHandleA(NULL), NULL);
  hostWnd->handle = window;
  ::ShowWindow(window, SW_SHOWNORMAL);

  library = ::LoadLibraryA(dllPath);
  NewToolFunction newTool = library ? reinterpret_cast<NewToolFunction>(::GetProcAddress(library, "NewJotbookTool")) : NULL;
  if (!newTool) {
    SetStatus("Scribbit.dll を読み込めませんでした。");
    return false;
  }
  tool = newTool(reinterpret_cast<CWnd*>(hostWnd), &settings);
  if (!tool) return false;
  SetStatus("スクリビットを起動しています...");
  tool->StartTool();
  // Keep the panel thread's handle, so shutdown can wait for the thread to end.
  if (tool->uiThread)
    ::DuplicateHandle(::GetCurrentProcess(), tool->uiThread->m_hThread, ::GetCurrentProcess(), &toolThread, SYNCHRONIZE, FALSE, 0);
  return true;
}

int HostWindow::Run() {
  MSG msg;
  while (::GetMessageA(&msg, NULL, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
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
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
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
  }
}

void HostWindow::ShowAbout() {
  if (!tool) return;
  std::string text;
  char line[128];
  snprintf(line, sizeof(line), "%s (%s)\nツール番号: %d\n\n", tool->GetDisplayName(), static_cast<const char*>(tool->toolName), tool->toolNumber);
  text += line;
  for (int i = 0; i < tool->history.GetSize(); ++i) {
    text += tool->history[i];
    text += "\n";
  }
  ::MessageBoxA(window, text.c_str(), "バージョン情報", MB_OK | MB_ICONINFORMATION);
}

void HostWindow::OnClose() {
  if (tool) {
    // The panel saves its open memo and stores its position as it closes.
    if (tool->m_hWnd) ::SendMessageA(tool->m_hWnd, WM_CLOSE, 0, 0);
    if (toolThread) {
      ::WaitForSingleObject(toolThread, 10000);
      ::CloseHandle(toolThread);
      toolThread = NULL;
    }
    delete tool;
    tool = NULL;
  }
  ::DestroyWindow(window);
}

void HostWindow::SetStatus(const char* text) {
  if (status) ::SetWindowTextA(status, text);
}
