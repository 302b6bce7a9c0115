// The stand-in host: loads Scribbit.dll as the note-taking application does
// and keeps the tool's settings in an INI file.
//   JotbookHost.exe [--ini FILE] [--data FOLDER] [--dll FILE]
// By default the INI file and the data folder sit beside the program.
#include <windows.h>

#include <cstring>
#include <string>

#include "HostWindow.h"

namespace {

std::string ProgramFolder() {
  char path[MAX_PATH];
  DWORD length = ::GetModuleFileNameA(NULL, path, sizeof(path));
  std::string folder(path, length);
  size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? "." : folder.substr(0, slash);
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = ProgramFolder();
  std::string iniPath = folder + "\\JotbookHost.ini";
  std::string dataFolder;
  std::string dllPath = folder + "\\Scribbit.dll";
  for (int i = 1; i + 1 < argc; i += 2) {
    if (strcmp(argv[i], "--ini") == 0)
      iniPath = argv[i + 1];
    else if (strcmp(argv[i], "--data") == 0)
      dataFolder = argv[i + 1];
    else if (strcmp(argv[i], "--dll") == 0)
      dllPath = argv[i + 1];
  }
  if (dataFolder.empty()) {
    size_t slash = iniPath.find_last_of("\\/");
    dataFolder = (slash == std::string::npos ? std::string(".") : iniPath.substr(0, slash)) + "\\JotbookData";
  }
  ::CreateDirectoryA(dataFolder.c_str(), NULL);

  HostWindow host(iniPath, dataFolder);
  if (!host.Start(dllPath.c_str())) return 1;
  return host.Run();
}
