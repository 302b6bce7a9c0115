#include "core/MemoImport.h"

#include <cstring>

#include "core/MemoPaths.h"

// The path is UTF-8: no byte of a character beyond ASCII is a dot.
const char* ImportExtension(const char* fullPath) { return std::strrchr(fullPath, '.'); }

bool IsImportableExtension(const char* ext) {
  static const char* const importable[] = {".txt", ".TXT", ".html", ".HTML", ".htm", ".HTM"};
  if (!ext) return false;
  for (const char* candidate : importable) {
    if (std::strcmp(ext, candidate) == 0) return true;
  }
  return false;
}

const char* ImportFileName(const char* fullPath) { return FileNamePart(fullPath); }
