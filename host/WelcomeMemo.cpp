#include "WelcomeMemo.h"

#include <windows.h>

namespace {

// Where the tool keeps memo folder 1 in the host's data folder.
const char toolFolder[] = "Scribbit";
const char welcomeFile[] = "ようこそ.txt";
const char welcomeText[] =
    "スクリビットへようこそ。\r\n\r\nメモを選ぶと、ここに内容が表示されます。\r\n"
    "書き換えて別のメモを選ぶと、自動で保存されます。\r\n";

}  // namespace

void PutWelcomeMemo(const std::string& dataFolder) {
  std::string folder = dataFolder + "\\" + toolFolder;
  if (!::CreateDirectoryA(folder.c_str(), NULL)) return;
  HANDLE file = ::CreateFileA((folder + "\\" + welcomeFile).c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written;
  ::WriteFile(file, welcomeText, sizeof(welcomeText) - 1, &written, NULL);
  ::CloseHandle(file);
}
