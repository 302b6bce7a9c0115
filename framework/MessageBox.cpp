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
