#include "TempFolder.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

TempFolder::TempFolder() {
  static int serial = 0;
  char base[MAX_PATH];
  ::GetTempPathA(sizeof(base), base);
  char name[MAX_PATH];
  snprintf(name, sizeof(name), "%sscribbit-test-%lu-%d", base, ::GetCurrentProcessId(), ++serial);
  path = name;
  RemoveTree(path);
  ::CreateDirectoryA(path.c_str(), NULL);
}

TempFolder::~TempFolder() { RemoveTree(path); }

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* file = fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return fclose(file) == 0 && ok;
}

std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) return bytes;
  char block[65536];
  size_t got;
  while ((got = fread(block, 1, sizeof(block), file)) > 0) bytes.append(block, got);
  fclose(file);
  return bytes;
}

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// In UTF-16: a test may leave names that code page 932 cannot spell.
static void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring child = path + L"\\" + name;
      ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        ::DeleteFileW(child.c_str());
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(path.c_str());
}

// The tests' own folders have ASCII paths; what lies in them may have any name.
void RemoveTree(const std::string& path) { RemoveTree(std::wstring(path.begin(), path.end())); }

namespace {

std::vector<std::string> Names(const std::string& folder, bool folders) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // Not the folder itself nor its parent.
    if (isFolder == folders && !(isFolder && found.cFileName[0] == '.')) names.push_back(found.cFileName);
  } while (::FindNextFileA(find, &found));
  ::FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::vector<std::string> FileNames(const std::string& folder) { return Names(folder, false); }

std::vector<std::string> FolderNames(const std::string& folder) { return Names(folder, true); }
