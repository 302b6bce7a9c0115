#include "ToolHarness.h"

#include <cstdio>

#include "ProcAddress.h"

namespace {

const char recorderClass[] = "ScribbitTestHostWindow";
const UINT runOnPanelMessage = WM_APP + 0x3F00;

// Runs a function on the panel's thread: a message hook sees every message
// the panel's thread takes from its queue.
struct PanelCall {
  const std::function<void()>* fn;
  HANDLE done;
};

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  MSG* msg = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == runOnPanelMessage && msg->hwnd == NULL) {
    PanelCall* call = reinterpret_cast<PanelCall*>(msg->lParam);
    (*call->fn)();
    ::SetEvent(call->done);
    msg->message = WM_NULL;
  }
  return ::CallNextHookEx(NULL, code, wParam, lParam);
}

}  // namespace

RecordingWindow::RecordingWindow() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = recorderClass;
    ::RegisterClassA(&wc);
    registered = true;
  }
  window = ::CreateWindowExA(0, recorderClass, "host", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL, ::GetModuleHandleA(NULL), this);
  ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

RecordingWindow::~RecordingWindow() { ::DestroyWindow(window); }

int RecordingWindow::Count(UINT message) const {
  int count = 0;
  for (const Received& r : received) count += r.message == message;
  return count;
}

LRESULT CALLBACK RecordingWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  RecordingWindow* self = reinterpret_cast<RecordingWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self && message >= WM_USER) {
    Received r = {message, wParam, lParam, "", ::GetCurrentThreadId()};
    // A search result: wParam is a string object whose only member points at the text.
    if (message == WM_TOOL_SEARCH_RESULT && wParam) r.text = *reinterpret_cast<const char* const*>(wParam);
    self->received.push_back(r);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  DWORD start = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    if (done()) return true;
    if (static_cast<int>(::GetTickCount() - start) > timeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(int milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

HMODULE ToolHarness::Library() {
  static HMODULE library = ::LoadLibraryA("Scribbit.dll");
  return library;
}

ToolHarness::NewToolFunction ToolHarness::Factory() { return GetProcAddressAs<NewToolFunction>(Library(), "NewJotbookTool"); }

ToolHarness::ToolHarness() : settings(data.Path()) { hostObject.handle = host.Handle(); }

ToolHarness::~ToolHarness() {
  Close();
  delete tool;
}

bool ToolHarness::Start() {
  NewToolFunction newTool = Factory();
  if (!newTool) return false;
  // A tool whose panel was closed goes, as the host lets it go before starting anew.
  Close();
  delete tool;
  tool = newTool(hostObject.AsWnd(), &settings);
  if (!tool) return false;
  // Each test keeps its own recovery records, away from the user's.
  Panel()->memoSession.recovery.SetPath(recoveryFolder);
  int ready = host.Count(WM_TOOL_READY);
  tool->StartTool();
  if (tool->uiThread)
    ::DuplicateHandle(::GetCurrentProcess(), tool->uiThread->m_hThread, ::GetCurrentProcess(), &thread, SYNCHRONIZE, FALSE, 0);
  return PumpUntil([this, ready] { return host.Count(WM_TOOL_READY) > ready; });
}

std::string ToolHarness::ItemText(int id) {
  char text[1024] = "";
  ::GetWindowTextA(Item(id), text, sizeof(text));
  return text;
}

void ToolHarness::Click(int id) {
  ::SendMessageA(PanelWindow(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
}

void ToolHarness::Sync() {
  if (PanelWindow()) ::SendMessageA(PanelWindow(), WM_NULL, 0, 0);
}

void ToolHarness::Close() {
  if (tool && tool->m_hWnd) ::SendMessageA(tool->m_hWnd, WM_CLOSE, 0, 0);
  if (thread) {
    PumpUntil([this] { return ::WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; });
    ::CloseHandle(thread);
    thread = NULL;
  }
}

bool ToolHarness::Select(const std::string& title, DWORD kind) {
  bool found = false;
  OnPanelThread([&] {
    CVardenListBox* list = Panel()->memoList;
    for (int i = 0; i < list->GetCount() && !found; ++i) {
      char text[CVardenListBox::TextBufferSize];
      list->GetText(i, text);
      if (title == text && list->GetItemData(i) == kind) {
        found = true;
        list->SetCurSel(i);
      }
    }
  });
  return found;
}

void ToolHarness::OnPanelThread(const std::function<void()>& fn) {
  DWORD threadId = PanelThreadId();
  HHOOK hook = ::SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, NULL, threadId);
  PanelCall call = {&fn, ::CreateEventA(NULL, TRUE, FALSE, NULL)};
  ::PostThreadMessageA(threadId, runOnPanelMessage, 0, reinterpret_cast<LPARAM>(&call));
  PumpUntil([&] { return ::WaitForSingleObject(call.done, 0) == WAIT_OBJECT_0; });
  ::UnhookWindowsHookEx(hook);
  ::CloseHandle(call.done);
}

DialogAnswerer::DialogAnswerer(DWORD threadId, int button, HWND ignore)
    : DialogAnswerer(
          threadId, [button](HWND dialog) { PressDialogButton(dialog, button); }, ignore) {}

DialogAnswerer::DialogAnswerer(DWORD threadId, std::function<void(HWND)> act, HWND ignore)
    : threadId(threadId), act(std::move(act)), ignore(ignore) {
  worker = ::CreateThread(NULL, 0, Run, this, 0, NULL);
}

DialogAnswerer::~DialogAnswerer() {
  Wait();
  ::CloseHandle(worker);
}

bool DialogAnswerer::Wait(int timeoutMs) {
  PumpUntil([this] { return ::WaitForSingleObject(worker, 0) == WAIT_OBJECT_0; }, timeoutMs);
  return seen;
}

namespace {

struct DialogSearch {
  HWND ignore;
  bool enabledOnly;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM lParam) {
  DialogSearch* search = reinterpret_cast<DialogSearch*>(lParam);
  char className[32];
  ::GetClassNameA(window, className, sizeof(className));
  if (window != search->ignore && strcmp(className, "#32770") == 0 && ::IsWindowVisible(window) &&
      (!search->enabledOnly || ::IsWindowEnabled(window))) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindThreadDialog(DWORD threadId, HWND ignore, bool enabledOnly) {
  DialogSearch search = {ignore, enabledOnly, NULL};
  ::EnumThreadWindows(threadId, FindDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

DWORD WINAPI DialogAnswerer::Run(LPVOID parameter) {
  DialogAnswerer* self = static_cast<DialogAnswerer*>(parameter);
  for (int waited = 0; waited < 10000; waited += 20) {
    HWND found = FindThreadDialog(self->threadId, self->ignore, false);
    if (found) {
      // Let the dialog finish its initialisation before reading or acting.
      ::Sleep(50);
      char text[2048] = "";
      ::GetDlgItemTextA(found, 0xFFFF, text, sizeof(text));
      self->text = text;
      ::GetWindowTextA(found, text, sizeof(text));
      self->caption = text;
      self->style = ::GetWindowLongA(found, GWL_STYLE);
      self->seen = true;
      self->act(found);
      return 0;
    }
    ::Sleep(20);
  }
  return 0;
}

void PressDialogButton(HWND dialog, int id) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}
