#include "WineNames.h"

#include <windows.h>

#include "framework/ProcAddress.h"

namespace {
typedef char*(__cdecl* UnixFileNameFunction)(const WCHAR* dosName);
}

std::string UnixName(const std::string& windowsPath) {
  static const UnixFileNameFunction unixFileName =
      GetProcAddressAs<UnixFileNameFunction>(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
  WCHAR wide[MAX_PATH];
  if (!unixFileName || !::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH)) return "";
  char* name = unixFileName(wide);
  if (!name) return "";
  // Wine's Unix names are UTF-8.
  WCHAR unicode[MAX_PATH * 2];
  char ansi[MAX_PATH * 4] = "";
  if (::MultiByteToWideChar(CP_UTF8, 0, name, -1, unicode, MAX_PATH * 2))
    ::WideCharToMultiByte(CP_ACP, 0, unicode, -1, ansi, sizeof(ansi), NULL, NULL);
  ::HeapFree(::GetProcessHeap(), 0, name);
  return ansi;
}
