#include "framework/MessageBox.h"

#include <cstring>

#include "framework/WinApp.h"

namespace {

void ModuleCaption(char* caption, int size) {
  char path[MAX_PATH];
  DWORD length = ::GetModuleFileNameA(AfxGetInstanceHandle(), path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) {
    lstrcpynA(caption, "", size);
    return;
  }
  const char* name = path;
  for (const char* p = path; *p; p = ::CharNextA(p))
    if (*p == '\\' || *p == '/') name = p + 1;
  lstrcpynA(caption, name, size);
  char* dot = strrchr(caption, '.');
  if (dot) *dot = '\0';
}

}  // namespace

int AfxMessageBox(const char* text, UINT type) {
  char caption[MAX_PATH];
  ModuleCaption(caption, sizeof(caption));
  return ::MessageBoxA(::GetActiveWindow(), text, caption, type);
}

int AfxMessageBox(const std::u16string& text, UINT type) {
  char caption[MAX_PATH];
  ModuleCaption(caption, sizeof(caption));
  wchar_t wideCaption[MAX_PATH];
  if (!::MultiByteToWideChar(CP_ACP, 0, caption, -1, wideCaption, MAX_PATH)) wideCaption[0] = L'\0';
  return ::MessageBoxW(::GetActiveWindow(), reinterpret_cast<const wchar_t*>(text.c_str()), wideCaption, type);
}
