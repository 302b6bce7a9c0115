#include "ToolHarness.h"

#include "core/NameText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>

#include "framework/ProcAddress.h"

namespace {

const char recorderClass[] = "ScribbitTestHostWindow";
const UINT runOnThreadMessage = WM_APP + 0x3F00;

// A function run on another thread: a message hook sees every message the
// thread takes from its queue.
struct ThreadCall {
  const std::function<void()>* fn;
  HANDLE done;
  LONG state;  // waiting, taken by the thread, or given up by the caller
};
enum { callWaiting, callTaken, callGivenUp };

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  MSG* msg = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == runOnThreadMessage && msg->hwnd == NULL) {
    msg->message = WM_NULL;
    ThreadCall* call = reinterpret_cast<ThreadCall*>(msg->lParam);
    if (::InterlockedCompareExchange(&call->state, callTaken, callWaiting) == callWaiting) {
      (*call->fn)();
      ::SetEvent(call->done);
    } else {
      ::CloseHandle(call->done);
      delete call;
    }
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
  // Each test keeps its own recovery records and history, away from the user's.
  Panel()->SetRecoveryFolder(recoveryFolder);
  Panel()->SetHistoryFolder(historyFolder);
  if (dpi) Panel()->dpi = dpi;
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
  // From the top of the panel thread's loop, as a user's click comes. Sent
  // from here it could arrive nested in the panel's activation, which sends
  // to the host window of this thread and waits: the default handling of the
  // activation then takes the focus back to where it was before the command.
  OnPanelThread([&] { ::SendMessageA(PanelWindow(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id))); });
}

void ToolHarness::Sync() {
  if (PanelWindow()) ::SendMessageA(PanelWindow(), WM_NULL, 0, 0);
}

void ToolHarness::Close() {
  // A test that started the tool through its slots, not Start, must still
  // wait for the thread: it runs on in the tool's code after the window closed.
  if (!thread && PanelWindow()) thread = ::OpenThread(SYNCHRONIZE, FALSE, PanelThreadId());
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
      if ((title == text || Utf8FromCp932(title) == text) && list->GetItemData(i) == kind) {
        found = true;
        list->SetCurSel(i);
      }
    }
  });
  return found;
}

void ToolHarness::SelectIndex(int index) {
  OnPanelThread([&] { Panel()->memoList->SetCurSel(index); });
}

std::vector<std::string> ToolHarness::Titles() {
  std::vector<std::string> titles;
  HWND list = List();
  int count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[CVardenListBox::TextBufferSize] = "";
    LVITEMA item = {};
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ::SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    titles.push_back(text);
  }
  return titles;
}

void ToolHarness::OnPanelThread(const std::function<void()>& fn) {
  if (!RunOnThread(PanelThreadId(), fn) && thread && ::WaitForSingleObject(thread, 0) == WAIT_TIMEOUT)
    ADD_FAILURE() << "the panel's thread did not come to a call posted to it within " << waitBoundMs << " ms";
}

bool RunOnThread(DWORD threadId, const std::function<void()>& fn, int timeoutMs) {
  HANDLE thread = ::OpenThread(SYNCHRONIZE, FALSE, threadId);
  if (!thread) return false;
  HHOOK hook = ::SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, NULL, threadId);
  ThreadCall* call = new ThreadCall{&fn, ::CreateEventA(NULL, TRUE, FALSE, NULL), callWaiting};
  auto ran = [call] { return ::WaitForSingleObject(call->done, 0) == WAIT_OBJECT_0; };
  if (hook && ::PostThreadMessageA(threadId, runOnThreadMessage, 0, reinterpret_cast<LPARAM>(call)))
    PumpUntil([&] { return ran() || ::WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, timeoutMs);
  // The thread may take the call only now: it owns a call given up, which fn must outlive.
  bool givenUp = ::InterlockedCompareExchange(&call->state, callGivenUp, callWaiting) == callWaiting;
  if (!givenUp) {
    PumpUntil(ran, INT_MAX);
    ::CloseHandle(call->done);
    delete call;
  }
  if (hook) ::UnhookWindowsHookEx(hook);
  ::CloseHandle(thread);
  return !givenUp;
}

namespace {

struct DialogSearch {
  HWND ignore;
  bool visibleOnly, enabledOnly;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM lParam) {
  DialogSearch* search = reinterpret_cast<DialogSearch*>(lParam);
  char className[32];
  ::GetClassNameA(window, className, sizeof(className));
  if (window != search->ignore && strcmp(className, "#32770") == 0 && (!search->visibleOnly || ::IsWindowVisible(window)) &&
      (!search->enabledOnly || ::IsWindowEnabled(window))) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A dialog or box of the thread other than ignore; with enabledOnly, only one
// that takes input (a box it raised disables the one below).
HWND FindDialogOf(DWORD threadId, HWND ignore, bool visibleOnly, bool enabledOnly) {
  DialogSearch search = {ignore, visibleOnly, enabledOnly, NULL};
  ::EnumThreadWindows(threadId, FindDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The icon a message box shows, as its type flag.
UINT IconType(HWND box) {
  static const struct {
    LPCSTR icon;
    UINT type;
  } icons[] = {
      {IDI_HAND, MB_ICONSTOP}, {IDI_EXCLAMATION, MB_ICONEXCLAMATION}, {IDI_ASTERISK, MB_ICONINFORMATION}, {IDI_QUESTION, MB_ICONQUESTION}};
  // The icon's static control: 1088 here, 20 on some systems.
  for (int id : {1088, 20}) {
    HICON shown = reinterpret_cast<HICON>(::SendDlgItemMessageA(box, id, STM_GETICON, 0, 0));
    for (const auto& icon : icons)
      if (shown && shown == ::LoadIconA(NULL, icon.icon)) return icon.type;
  }
  return 0;
}

Shown Describe(HWND dialog) {
  Shown shown;
  char text[4096] = "";
  ::GetWindowTextA(dialog, text, sizeof(text));
  shown.caption = text;
  text[0] = '\0';
  ::GetDlgItemTextA(dialog, 0xFFFF, text, sizeof(text));
  shown.text = text;
  shown.type = IconType(dialog) | (::GetDlgItem(dialog, IDYES) ? MB_YESNO : MB_OK);
  shown.style = ::GetWindowLongA(dialog, GWL_STYLE);
  shown.exStyle = ::GetWindowLongA(dialog, GWL_EXSTYLE);
  return shown;
}

// Code page 932 text as UTF-8, as the test log is read.
std::string Readable(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  wide.resize(::MultiByteToWideChar(932, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size())));
  std::string readable(wide.size() * 3 + 1, '\0');
  readable.resize(::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &readable[0], static_cast<int>(readable.size()), NULL, NULL));
  return readable.c_str();
}

std::string Named(const Shown& box) { return "\"" + Readable(box.caption) + "\" saying \"" + Readable(box.text) + "\""; }

void Dismiss(HWND dialog) { PressDialogButton(dialog, ::GetDlgItem(dialog, IDNO) ? IDNO : IDCANCEL); }

// Polls a condition of windows of another thread, up to waitBoundMs.
bool WaitFor(const std::function<bool()>& condition) {
  for (DWORD start = ::GetTickCount(); !condition(); ::Sleep(10))
    if (::GetTickCount() - start > static_cast<DWORD>(waitBoundMs)) return false;
  return true;
}

// The dialog or box of the thread, other than ignore, that the thread waits
// in for input now.
HWND DialogWaitingForInput(DWORD threadId, HWND ignore) {
  HWND dialog = FindDialogOf(threadId, ignore, true, true);
  // Shown and enabled, it may still be one the thread is on its way out of
  // (a box was just answered, the dialog below it ends next). Once the thread
  // takes its messages again it waits in the dialog that is up then, whose
  // initialisation is over.
  if (!dialog || !RunOnThread(threadId, [] {})) return NULL;
  return FindDialogOf(threadId, ignore, true, true) == dialog ? dialog : NULL;
}

}  // namespace

Answer Press(int button) {
  return [button](HWND dialog) { PressDialogButton(dialog, button); };
}

HWND WaitForDialog(DWORD threadId, HWND ignore) {
  HWND dialog = NULL;
  WaitFor([&] { return (dialog = DialogWaitingForInput(threadId, ignore)) != NULL; });
  return dialog;
}

BoxAnswerer::BoxAnswerer(DWORD thread, HWND panel, std::vector<Answer> inTurn, Answer beyond)
    : threadId(thread),
      ignore(panel),
      answers(std::move(inTurn)),
      more(std::move(beyond)),
      actionReturned(::CreateEventA(NULL, TRUE, FALSE, NULL)) {
  worker = ::CreateThread(NULL, 0, Run, this, 0, NULL);
}

BoxAnswerer::~BoxAnswerer() {
  Finish();
  ::CloseHandle(worker);
  ::CloseHandle(actionReturned);
}

DWORD WINAPI BoxAnswerer::Run(LPVOID self) {
  static_cast<BoxAnswerer*>(self)->Serve();
  return 0;
}

void BoxAnswerer::Serve() {
  // The bound counts from the later of the action's return and the last box.
  for (DWORD since = ::GetTickCount();; ::Sleep(10)) {
    if (HWND box = DialogWaitingForInput(threadId, ignore)) {
      if (!Take(box)) return;
      since = ::GetTickCount();
    } else if (::WaitForSingleObject(actionReturned, 0) != WAIT_OBJECT_0) {
      since = ::GetTickCount();
    } else if (next == answers.size() && NothingMoreComes()) {
      return;
    } else if (::GetTickCount() - since > static_cast<DWORD>(waitBoundMs)) {
      if (next < answers.size())
        problems.push_back("waited " + std::to_string(waitBoundMs) + " ms for box " + std::to_string(next + 1) + " of the " +
                           std::to_string(answers.size()) + " answered; it never came");
      else
        problems.push_back("waited " + std::to_string(waitBoundMs) + " ms for the thread to come to rest: " + unrest);
      return;
    }
  }
}

bool BoxAnswerer::Take(HWND box) {
  shown.push_back(Describe(box));
  if (next < answers.size()) {
    answers[next++](box);
  } else if (more) {
    more(box);
  } else {
    problems.push_back("a box no answer was given for, dismissed: " + Named(shown.back()));
    Dismiss(box);
  }
  // Answered once the thread is past it: the box is gone, or a box it raised takes the input.
  if (WaitFor([box] { return !::IsWindow(box) || !::IsWindowVisible(box) || !::IsWindowEnabled(box); })) return true;
  problems.push_back(Named(shown.back()) + " stayed open after its answer");
  return false;
}

bool BoxAnswerer::NothingMoreComes() {
  HWND pending = NULL;
  bool posted = false;
  // Run after whatever the thread has posted to itself, the call finds a box
  // that came of it still being made, or what is posted next.
  bool ran = RunOnThread(threadId, [&] {
    pending = FindDialogOf(threadId, ignore, false, false);
    posted = (HIWORD(::GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE) != 0;
  });
  if (!ran) {
    HANDLE thread = ::OpenThread(SYNCHRONIZE, FALSE, threadId);
    bool ended = !thread || ::WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
    if (thread) ::CloseHandle(thread);
    unrest = "it did not come to a call posted to it";
    return ended;
  }
  if (pending) {
    char caption[256] = "";
    ::GetWindowTextA(pending, caption, sizeof(caption));
    unrest = "its dialog \"" + Readable(caption) + "\" stays hidden or disabled";
  } else if (posted) {
    unrest = "messages keep coming to its queue";
  }
  return !pending && !posted;
}

const std::vector<Shown>& BoxAnswerer::Finish() {
  if (finished) return shown;
  finished = true;
  ::SetEvent(actionReturned);
  // The thread may be sending to a window of this thread meanwhile.
  PumpUntil([this] { return ::WaitForSingleObject(worker, 0) == WAIT_OBJECT_0; }, INT_MAX);
  for (const std::string& problem : problems) ADD_FAILURE() << problem;
  return shown;
}

DialogAnswerer::DialogAnswerer(DWORD threadId, int button, HWND ignore) : DialogAnswerer(threadId, Press(button), ignore) {}

DialogAnswerer::DialogAnswerer(DWORD threadId, Answer act, HWND ignore) : answerer(threadId, ignore, {std::move(act)}) {}

bool DialogAnswerer::Wait() {
  const std::vector<Shown>& shown = answerer.Finish();
  if (!shown.empty() && !seen) {
    seen = true;
    text = shown[0].text;
    caption = shown[0].caption;
    style = shown[0].style;
  }
  return seen;
}

void PressDialogButton(HWND dialog, int id) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}
