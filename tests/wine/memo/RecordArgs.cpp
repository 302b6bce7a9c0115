// A stand-in editor: appends the command line it was started with, one line
// per start, to the file named by SCRIBBIT_RECORD_ARGS.
#include <windows.h>

#include <cstdio>

int main() {
  char path[MAX_PATH];
  DWORD length = ::GetEnvironmentVariableA("SCRIBBIT_RECORD_ARGS", path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) return 1;
  FILE* file = fopen(path, "ab");
  if (!file) return 1;
  fprintf(file, "%s\n", ::GetCommandLineA());
  return fclose(file) == 0 ? 0 : 1;
}
