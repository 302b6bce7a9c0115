// A stand-in editor: appends the command line it was started with, one line
// per start, to the file named by SCRIBBIT_RECORD_ARGS. When
// SCRIBBIT_EDITOR_APPENDS is set, it first appends that text to the file it
// was given to edit, as a user saving in the editor would.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The program's own name ends at the first blank outside quotes; the rest,
// blanks and all, is the file handed over.
std::string FileToEdit(const char* commandLine) {
  const char* p = commandLine;
  bool quoted = false;
  for (; *p && (quoted || *p != ' '); ++p)
    if (*p == '"') quoted = !quoted;
  while (*p == ' ') ++p;
  return p;
}

bool Append(const char* path, const std::string& text) {
  FILE* file = fopen(path, "ab");
  if (!file) return false;
  bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
  return fclose(file) == 0 && written;
}

}  // namespace

int main() {
  char value[MAX_PATH];
  DWORD length = ::GetEnvironmentVariableA("SCRIBBIT_EDITOR_APPENDS", value, sizeof(value));
  if (length > 0 && length < sizeof(value) && !Append(FileToEdit(::GetCommandLineA()).c_str(), value)) return 1;
  length = ::GetEnvironmentVariableA("SCRIBBIT_RECORD_ARGS", value, sizeof(value));
  if (length == 0 || length >= sizeof(value)) return 1;
  return Append(value, std::string(::GetCommandLineA()) + "\n") ? 0 : 1;
}
