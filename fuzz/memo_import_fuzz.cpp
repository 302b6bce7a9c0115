// The import rules for dropped files against a character walk of the path:
// where its extension and its file name start, and whether it is taken in.
// The whole input, up to its first NUL, is the full path.
#include <cstdint>
#include <set>
#include <string>

#include "Check.h"
#include "GuardedCopy.h"
#include "core/MemoImport.h"

namespace {

// Where the last wanted byte is, or npos.
size_t RefLastChar(const std::string& path, char wanted) {
  size_t last = std::string::npos;
  for (size_t i = 0; i < path.size(); ++i)
    if (path[i] == wanted) last = i;
  return last;
}

bool RefIsImportable(const std::string& extension) {
  static const std::set<std::string> importable = {".txt", ".TXT", ".html", ".HTML", ".htm", ".HTM"};
  return importable.count(extension) > 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = CutAtNul(std::string(reinterpret_cast<const char*>(data), size));
  GuardedCopy copy = GuardedCString(path);

  size_t dot = RefLastChar(path, '.');
  const char* extension = ImportExtension(copy.data());
  FUZZ_CHECK(extension == (dot == std::string::npos ? nullptr : copy.data() + dot));
  FUZZ_CHECK(IsImportableExtension(extension) == (dot != std::string::npos && RefIsImportable(path.substr(dot))));
  FUZZ_CHECK(IsImportableExtension(copy.data()) == RefIsImportable(path));

  size_t backslash = RefLastChar(path, '\\');
  FUZZ_CHECK(ImportFileName(copy.data()) == copy.data() + (backslash == std::string::npos ? 0 : backslash + 1));
  return 0;
}
