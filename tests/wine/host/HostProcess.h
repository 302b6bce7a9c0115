// JotbookHost.exe run as its own process, as a user starts it, and its
// windows found as a user sees them. Host tests and the screenshot driver
// use it.
#pragma once
#include <windows.h>

#include <string>

class HostProcess {
public:
  HostProcess() = default;
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;
  // Ends a host that is still running.
  ~HostProcess();

  // Starts JotbookHost.exe, found beside the running program, with the
  // arguments and the working folder given; false when it cannot start.
  bool Start(const std::string& arguments, const std::string& workingFolder);
  // Closes the host's window as a user does and waits up to timeoutMs for the
  // process to end: its exit code, or -1 when it had to be ended by force.
  int Close(DWORD timeoutMs);
  bool Started() const { return process.hProcess != NULL; }

  // A visible top-level window of the host's process of that class and, when
  // given, that caption, other than ignore; NULL when there is none.
  HWND Find(const char* className, const char* caption = nullptr, HWND ignore = NULL) const;
  HWND HostWindow() const;
  // The tool's panel: the dialog captioned スクリビット.
  HWND Panel() const;
  // The list view that shows the memo list inside the panel.
  HWND MemoListView() const;
  // Whether the process has loaded the module of that Windows path.
  bool HasModule(const std::string& path) const;

private:
  PROCESS_INFORMATION process = {};
};

// The first window below parent, at any depth, of that class.
HWND FindDescendant(HWND parent, const char* className);
// A window's text, also of a window of another process.
std::string WindowText(HWND window);
