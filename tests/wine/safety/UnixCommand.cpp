#include "UnixCommand.h"

#include <windows.h>

#include <cstdlib>

#include "framework/ProcAddress.h"
#include "TempFolder.h"
#include "ToolHarness.h"

std::string UnixPathOf(const std::string& windowsPath) {
  typedef char*(__cdecl * UnixFileName)(const WCHAR*);
  static UnixFileName unixFileName = GetProcAddressAs<UnixFileName>(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
  std::wstring wide(windowsPath.size() + 1, L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  char* unixPath = unixFileName ? unixFileName(wide.c_str()) : NULL;
  std::string path = unixPath ? unixPath : "";
  ::HeapFree(::GetProcessHeap(), 0, unixPath);
  return path;
}

int RunUnixCommand(const std::string& command, int timeoutMs) {
  // Inside the prefix: tests of other prefixes that run meanwhile have
  // process ids of the same numbers, and their own /tmp names would meet ours.
  TempFolder folder;
  const std::string script = folder / "command.sh", status = folder / "status";
  const std::string unixStatus = "'" + UnixPathOf(status) + "'", unixPart = "'" + UnixPathOf(status) + ".part'";
  // The status file appears whole, by a rename, once the command has ended.
  if (!WriteFileBytes(script, "(" + command + ") >/dev/null 2>&1\necho $? >" + unixPart + "\nmv " + unixPart + " " + unixStatus + "\n"))
    return -1;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  std::string commandLine = "/bin/sh \"" + UnixPathOf(script) + "\"";
  if (!::CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) return -1;
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  std::string result;
  PumpUntil([&] { return !(result = ReadFileBytes(status)).empty(); }, timeoutMs);
  return result.empty() ? -1 : std::atoi(result.c_str());
}
