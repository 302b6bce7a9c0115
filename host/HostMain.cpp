// The stand-in host: loads Scribbit.dll as the note-taking application does
// and keeps the tool's settings in an INI file.
//   JotbookHost.exe [--ini FILE] [--data FOLDER] [--dll FILE]
// Each path may be a Windows or a Unix path. By default the INI file and the
// data folder sit beside the program.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "HostPaths.h"
#include "HostWindow.h"

namespace {

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// A path given relative to the current folder, made whole: the INI functions
// would take a relative file name from the Windows folder.
std::string FullPath(const std::string& path) {
  char full[MAX_PATH];
  DWORD length = ::GetFullPathNameA(path.c_str(), sizeof(full), full, NULL);
  return length && length < sizeof(full) ? std::string(full, length) : path;
}

}  // namespace

int main(int argc, char** argv) {
  char program[MAX_PATH];
  DWORD length = ::GetModuleFileNameA(NULL, program, sizeof(program));
  std::string folder = FolderOf(std::string(program, length));
  std::string iniPath = folder + "\\JotbookHost.ini";
  std::string dataFolder;
  std::string dllPath = folder + "\\Scribbit.dll";
  for (int i = 1; i + 1 < argc; i += 2) {
    if (strcmp(argv[i], "--ini") == 0)
      iniPath = FullPath(WindowsPath(argv[i + 1]));
    else if (strcmp(argv[i], "--data") == 0)
      dataFolder = FullPath(WindowsPath(argv[i + 1]));
    else if (strcmp(argv[i], "--dll") == 0)
      dllPath = WindowsPath(argv[i + 1]);
  }
  if (dataFolder.empty()) dataFolder = FolderOf(iniPath) + "\\JotbookData";
  // Makes the folders above each one too.
  ::SHCreateDirectoryExA(NULL, FolderOf(iniPath).c_str(), NULL);
  ::SHCreateDirectoryExA(NULL, dataFolder.c_str(), NULL);

  HostWindow host(iniPath, dataFolder);
  if (!host.Start(dllPath.c_str())) return 1;
  return host.Run();
}
