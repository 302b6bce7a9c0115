#include "HostPaths.h"

#include <windows.h>

#include "framework/ProcAddress.h"

namespace {

// Wine's kernel32 export; Windows itself has none, and there no Unix path comes in.
typedef WCHAR*(__cdecl* DosFileNameFunction)(const char* unixName);

std::wstring Widen(const std::string& text, UINT codePage) {
  int length = ::MultiByteToWideChar(codePage, 0, text.c_str(), -1, NULL, 0);
  std::wstring wide(length > 0 ? length : 1, L'\0');
  ::MultiByteToWideChar(codePage, 0, text.c_str(), -1, &wide[0], length);
  wide.resize(wide.size() - 1);
  return wide;
}

std::string Narrow(const std::wstring& text, UINT codePage) {
  int length = ::WideCharToMultiByte(codePage, 0, text.c_str(), -1, NULL, 0, NULL, NULL);
  std::string narrow(length > 0 ? length : 1, '\0');
  ::WideCharToMultiByte(codePage, 0, text.c_str(), -1, &narrow[0], length, NULL, NULL);
  narrow.resize(narrow.size() - 1);
  return narrow;
}

}  // namespace

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  static const DosFileNameFunction dosFileName =
      GetProcAddressAs<DosFileNameFunction>(::GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name");
  if (!dosFileName) return path;
  // The command line came in the ANSI code page; Wine takes Unix names in UTF-8.
  WCHAR* dosName = dosFileName(Narrow(Widen(path, CP_ACP), CP_UTF8).c_str());
  if (!dosName) return path;
  std::string converted = Narrow(dosName, CP_ACP);
  ::HeapFree(::GetProcessHeap(), 0, dosName);
  return converted;
}
