// Runs the real tool as the host does: Scribbit.dll loaded by name, the tool
// made by NewJotbookTool with a host window on the test's thread, the panel
// started on its own thread. Tests drive the panel through its windows.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "FaultyFileOps.h"
#include "TempFolder.h"
#include "TestSettings.h"
#include "plugin/ToolPanel.h"

// The host's window object as its framework lays it out (handle at offset 28).
struct FakeHostWindowObject {
  const void* virtualTable = nullptr;
  void* bookkeeping[6] = {};
  HWND handle = NULL;
  CWnd* AsWnd() { return reinterpret_cast<CWnd*>(this); }
};

// A window on the test's thread that records what it receives.
class RecordingWindow {
public:
  RecordingWindow();
  ~RecordingWindow();
  HWND Handle() const { return window; }
  struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::string text;  // for search results: the text the string object points at
    DWORD threadId;
  };
  std::vector<Received> received;
  int Count(UINT message) const;

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window;
};

// Pumps the calling thread's messages until done() or the timeout.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000);
void PumpFor(int milliseconds);

class ToolHarness {
public:
  ToolHarness();
  ~ToolHarness();

  ToolBase* tool = nullptr;
  ToolPanel* Panel() { return static_cast<ToolPanel*>(tool); }
  TempFolder data;
  TestSettings settings;
  RecordingWindow host;
  FakeHostWindowObject hostObject;
  // The screen's DPI the panel is to take; 0: the system's.
  int dpi = 0;

  // NewJotbookTool, then StartTool, then waits for the ready message; a tool
  // started before is closed and deleted first.
  bool Start();
  HWND PanelWindow() { return tool ? tool->m_hWnd : NULL; }
  DWORD PanelThreadId() { return ::GetWindowThreadProcessId(PanelWindow(), NULL); }
  HWND Item(int id) { return ::GetDlgItem(PanelWindow(), id); }
  std::string ItemText(int id);
  // Presses a button of the panel; returns when its handler has finished.
  void Click(int id);
  // Waits until the panel's thread has handled everything sent or posted before.
  void Sync();
  // Closes the panel as the user does and waits for its thread to end.
  void Close();
  // Folder 1 of the tool: data folder + "\Scribbit".
  std::string Folder1() { return data.Path() + "\\Scribbit"; }
  // Where the tool keeps its recovery records, ending in a backslash: one of
  // the test's own, unless set before Start.
  std::string recoveryFolder = data.Path() + "\\Recovery\\";
  std::string historyFolder = data.Path() + "\\History\\";
  // Selects the entry of that title (UTF-8, or code page 932 as the tests'
  // literals) and kind through the list, as a click does: the open memo is
  // closed, then the entry opened. False when no such entry.
  bool Select(const std::string& title, DWORD kind = MemoKindText);
  void SelectIndex(int index);

  // The panel as a test reads it beyond what its windows show.
  HWND List() { return tool ? Panel()->memoList->GetSafeHwnd() : NULL; }
  // The memo list's titles, as the list tells anyone who asks it.
  std::vector<std::string> Titles();
  DWORD KindAt(int index) { return Read<DWORD>([&] { return Panel()->memoList->GetItemData(index); }); }
  // The list's selection; negative when nothing is selected.
  int Selection() { return Read<int>([&] { return Panel()->memoList->GetCurSel(); }); }
  // The open memo's title; empty when no memo is open.
  std::string OpenTitle() { return Read<std::string>([&] { return Panel()->Memo().IsOpen() ? Panel()->Memo().Title() : ""; }); }
  int CurrentFolder() { return Read<int>([&] { return static_cast<int>(Panel()->currentFolder); }); }
  // What read gives on the panel's thread.
  template <typename T>
  T Read(const std::function<T()>& read) {
    T value{};
    OnPanelThread([&] { value = read(); });
    return value;
  }
  // Runs fn on the panel's thread and waits for it.
  void OnPanelThread(const std::function<void()>& fn);

  static HMODULE Library();
  // The DLL's export NewJotbookTool, as the host finds it.
  typedef ToolBase*(__cdecl* NewToolFunction)(CWnd*, HostSettings*);
  static NewToolFunction Factory();

private:
  HANDLE thread = NULL;
};

// A dialog or message box a thread showed.
struct Shown {
  std::string caption;
  std::string text;  // a message box's message
  UINT type;         // a message box's icon and buttons, as MessageBox takes them
  DWORD style;
  DWORD exStyle;
};

// What to do with a dialog or message box shown.
typedef std::function<void(HWND)> Answer;
Answer Press(int button);

// How long a test waits for a window or a thread before it fails.
const int waitBoundMs = 10000;

// Runs fn on the thread through its queue: from whatever loop takes the
// thread's messages (a dialog's or a box's modal loop too), after what was
// posted to the thread before. False when the thread ended or did not come to
// it within timeoutMs.
bool RunOnThread(DWORD threadId, const std::function<void()>& fn, int timeoutMs = waitBoundMs);

// Answers the dialogs and message boxes a thread shows, from a thread of its
// own, in the order they come, each with the next answer. Every answer stands
// for a box that must come, while the action runs or after it returned; a box
// beyond them fails the test, naming it, and is dismissed so nothing waits on it.
class BoxAnswerer {
public:
  // ignore: the thread's own window that is no box (the panel). more, when
  // given, answers any box beyond the answers, none of which need come.
  BoxAnswerer(DWORD threadId, HWND ignore, std::vector<Answer> answers, Answer more = Answer());
  ~BoxAnswerer();
  // Called once the action has returned: waits until every answer was used and
  // the thread has come to rest with no box up, then reports what went wrong.
  const std::vector<Shown>& Finish();

private:
  static DWORD WINAPI Run(LPVOID self);
  void Serve();
  // False when the box stayed open after its answer.
  bool Take(HWND box);
  bool NothingMoreComes();
  DWORD threadId;
  HWND ignore;
  std::vector<Answer> answers;
  Answer more;
  size_t next = 0;
  std::vector<Shown> shown;
  std::vector<std::string> problems;
  std::string unrest;  // why the thread was not at rest when last asked
  HANDLE actionReturned;
  HANDLE worker;
  bool finished = false;
};

// Answers the one dialog or message box the given thread is to show: records
// its caption and text, then runs act (by default, presses button). Under the
// rule of BoxAnswerer: a box that does not come, or a second one, fails the test.
class DialogAnswerer {
public:
  DialogAnswerer(DWORD threadId, int button, HWND ignore);
  DialogAnswerer(DWORD threadId, Answer act, HWND ignore);
  ~DialogAnswerer() { Wait(); }
  // Waits for the answer and for the thread to come to rest; true when a dialog was seen.
  bool Wait();
  std::string text;  // a message box's message
  std::string caption;
  UINT style = 0;  // the dialog's window style
  bool seen = false;

private:
  BoxAnswerer answerer;
};

// Waits up to waitBoundMs for a dialog or box of the thread, other than
// ignore, that the thread waits in for input.
HWND WaitForDialog(DWORD threadId, HWND ignore);

// Presses a button of a dialog from another thread, as a user would.
void PressDialogButton(HWND dialog, int id);
