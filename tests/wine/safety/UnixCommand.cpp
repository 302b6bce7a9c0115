#include "UnixCommand.h"

#include <windows.h>

#include <cstdlib>

#include "TempFolder.h"
#include "ToolHarness.h"

std::string WindowsPathOf(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

int RunUnixCommand(const std::string& command, int timeoutMs) {
  static int serial = 0;
  std::string base = "/tmp/scribbit-command-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++serial);
  std::string script = base + ".sh", status = base + ".status";
  // The status file appears whole, by a rename, once the command has ended.
  if (!WriteFileBytes(WindowsPathOf(script),
                      "(" + command + ") >/dev/null 2>&1\necho $? >" + status + ".part\nmv " + status + ".part " + status + "\n"))
    return -1;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  std::string commandLine = "/bin/sh " + script;
  if (!::CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) return -1;
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  std::string result;
  PumpUntil([&] { return !(result = ReadFileBytes(WindowsPathOf(status))).empty(); }, timeoutMs);
  ::DeleteFileA(WindowsPathOf(script).c_str());
  ::DeleteFileA(WindowsPathOf(status).c_str());
  return result.empty() ? -1 : std::atoi(result.c_str());
}
