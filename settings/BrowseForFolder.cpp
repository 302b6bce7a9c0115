#include "settings/BrowseForFolder.h"

#include <shlobj.h>

#include <cstring>

namespace {

// Moves the browser to the initial folder once it is ready to take a selection.
int CALLBACK OnBrowserEvent(HWND browser, UINT event, LPARAM, LPARAM initialPath) {
  if (event == BFFM_INITIALIZED && initialPath) ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, initialPath);
  return 0;
}

void FreeItem(LPITEMIDLIST item) {
  IMalloc* allocator = NULL;
  if (FAILED(::SHGetMalloc(&allocator))) return;
  allocator->Free(item);
  allocator->Release();
}

}  // namespace

int BrowseForFolder(HWND owner, const char* initialPath, std::u16string& out) {
  BROWSEINFOA info;
  memset(&info, 0, sizeof(info));
  info.hwndOwner = owner;
  info.lpszTitle = "ﾌｫﾙﾀﾞを選択して下さい";
  info.lpfn = OnBrowserEvent;
  info.lParam = reinterpret_cast<LPARAM>(initialPath);
  LPITEMIDLIST item = ::SHBrowseForFolderA(&info);
  if (!item) return 2;

  // The real name, which the settings dialog refuses when code page 932
  // cannot spell it, rather than a look-alike path.
  wchar_t path[MAX_PATH];
  // A virtual folder of the shell (the computer, the network...) has no path.
  bool isFolder = ::SHGetPathFromIDListW(item, path) != FALSE;
  FreeItem(item);
  if (!isFolder) return 2;
  out.assign(reinterpret_cast<const char16_t*>(path));
  return 1;
}
