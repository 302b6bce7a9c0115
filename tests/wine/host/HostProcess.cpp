#include "HostProcess.h"

#include <psapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct WindowSearch {
  DWORD processId;
  const char* className;
  const char* caption;
  HWND ignore;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  char className[64] = "", caption[256] = "";
  ::GetClassNameA(window, className, sizeof(className));
  // A top-level window's caption is had without a message to its thread, which may be busy.
  ::GetWindowTextA(window, caption, sizeof(caption));
  if (window == search->ignore || processId != search->processId || !::IsWindowVisible(window) ||
      strcmp(className, search->className) != 0 || (search->caption && strcmp(caption, search->caption) != 0))
    return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK MatchChild(HWND window, LPARAM lParam) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
  char className[64] = "";
  ::GetClassNameA(window, className, sizeof(className));
  if (strcmp(className, search->className) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

std::string ProgramFolder() {
  char program[MAX_PATH];
  std::string path(program, ::GetModuleFileNameA(NULL, program, sizeof(program)));
  return path.substr(0, path.find_last_of('\\'));
}

}  // namespace

HostProcess::~HostProcess() {
  if (!process.hProcess) return;
  if (::WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(process.hProcess, 1);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
}

bool HostProcess::Start(const std::string& arguments, const std::string& workingFolder) {
  std::string commandLine = "\"" + ProgramFolder() + "\\JotbookHost.exe\" " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  return ::CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, workingFolder.c_str(), &startup, &process);
}

int HostProcess::Close(DWORD timeoutMs) {
  ::PostMessageA(HostWindow(), WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.hProcess, 1);
    ::WaitForSingleObject(process.hProcess, timeoutMs);
    return -1;
  }
  DWORD exitCode = 0;
  ::GetExitCodeProcess(process.hProcess, &exitCode);
  return static_cast<int>(exitCode);
}

HWND HostProcess::Find(const char* className, const char* caption, HWND ignore) const {
  if (!process.dwProcessId) return NULL;
  WindowSearch search = {process.dwProcessId, className, caption, ignore, NULL};
  ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND HostProcess::HostWindow() const { return Find("JotbookStandInHost"); }

HWND HostProcess::Panel() const { return Find("#32770", "スクリビット"); }

HWND HostProcess::MemoListView() const {
  HWND panel = Panel();
  return panel ? FindDescendant(panel, "SysListView32") : NULL;
}

bool HostProcess::HasModule(const std::string& path) const {
  std::vector<HMODULE> modules(256);
  DWORD needed = 0;
  if (!::EnumProcessModules(process.hProcess, modules.data(), modules.size() * sizeof(HMODULE), &needed)) return false;
  modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
  for (HMODULE module : modules) {
    char name[MAX_PATH] = "";
    if (::GetModuleFileNameExA(process.hProcess, module, name, sizeof(name)) && lstrcmpiA(name, path.c_str()) == 0) return true;
  }
  return false;
}

HWND FindDescendant(HWND parent, const char* className) {
  WindowSearch search = {0, className, nullptr, NULL, NULL};
  ::EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string WindowText(HWND window) {
  // GetWindowText would not ask a control of another process for its text.
  std::string text(::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0) + 1, '\0');
  text.resize(::SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0])));
  return text;
}
