// The stand-in host: loads Scribbit.dll as the note-taking application does
// and keeps the tool's settings in an INI file.
//   JotbookHost.exe [--ini FILE] [--data FOLDER] [--dll FILE]
// Each path may be a Windows or a Unix path. By default the INI file and the
// data folder live in the user's data folder, so that no build ever touches
// a user's memos. A data folder without the tool's folder gets it, with a
// welcome memo in it.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "HostPaths.h"
#include "HostWindow.h"
#include "WelcomeMemo.h"

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

// $XDG_DATA_HOME/scribbit, else ~/.local/share/scribbit; on Windows itself,
// scribbit in the user's application data folder.
std::string UserDataFolder() {
  char value[MAX_PATH];
  DWORD length = ::GetEnvironmentVariableA("XDG_DATA_HOME", value, sizeof(value));
  if (length > 0 && length < sizeof(value) && value[0] == '/') return WindowsPath(std::string(value) + "/scribbit");
  length = ::GetEnvironmentVariableA("HOME", value, sizeof(value));
  if (length > 0 && length < sizeof(value) && value[0] == '/') return WindowsPath(std::string(value) + "/.local/share/scribbit");
  if (SUCCEEDED(::SHGetFolderPathA(NULL, CSIDL_APPDATA, NULL, 0, value))) return std::string(value) + "\\scribbit";
  return ".";
}

const char usage[] =
    "JotbookHost.exe [--ini FILE] [--data FOLDER] [--dll FILE]\n"
    "  Runs Scribbit.dll as the note-taking application does.\n"
    "  --ini FILE      the settings (default: JotbookHost.ini in $XDG_DATA_HOME/scribbit,\n"
    "                  ~/.local/share/scribbit, or scribbit in the user's application data)\n"
    "  --data FOLDER   the data folder, which holds the tool's folder Scribbit\n"
    "                  (default: JotbookData beside the INI file)\n"
    "  --dll FILE      the tool to load (default: Scribbit.dll beside this program)\n"
    "  Paths may be Windows or Unix paths.\n";

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    bool help = strcmp(argv[i], "--help") == 0 || strcmp(argv[i], "-h") == 0 || strcmp(argv[i], "/?") == 0;
    bool known = strcmp(argv[i], "--ini") == 0 || strcmp(argv[i], "--data") == 0 || strcmp(argv[i], "--dll") == 0;
    if (help || !known || i + 1 == argc) {
      fputs(usage, help ? stdout : stderr);
      return help ? 0 : 2;
    }
    ++i;
  }
  char program[MAX_PATH];
  DWORD length = ::GetModuleFileNameA(NULL, program, sizeof(program));
  std::string folder = FolderOf(std::string(program, length));
  std::string iniPath = UserDataFolder() + "\\JotbookHost.ini";
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
  PutWelcomeMemo(dataFolder);

  HostWindow host(iniPath, dataFolder);
  if (!host.Start(dllPath.c_str())) return 1;
  return host.Run();
}
