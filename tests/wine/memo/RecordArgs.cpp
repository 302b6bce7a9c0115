// A stand-in editor: appends the arguments it was started with, as the C
// runtime parts its command line, to the file named by SCRIBBIT_RECORD_ARGS:
// one line per start, a tab between two arguments. When
// SCRIBBIT_EDITOR_APPENDS is set, it first appends that text to the file it
// was given to edit, as a user saving in the editor would.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

bool Append(const char* path, const std::string& text) {
  FILE* file = fopen(path, "ab");
  if (!file) return false;
  bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
  return fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  char value[MAX_PATH];
  DWORD length = ::GetEnvironmentVariableA("SCRIBBIT_EDITOR_APPENDS", value, sizeof(value));
  if (length > 0 && length < sizeof(value) && (argc < 2 || !Append(argv[1], value))) return 1;
  length = ::GetEnvironmentVariableA("SCRIBBIT_RECORD_ARGS", value, sizeof(value));
  if (length == 0 || length >= sizeof(value)) return 1;
  std::string line;
  for (int i = 1; i < argc; ++i) line += (i > 1 ? "\t" : "") + std::string(argv[i]);
  return Append(value, line + "\n") ? 0 : 1;
}
