#include "core/MemoImport.h"

#include <cstring>

#include "core/Cp932.h"
#include "core/MemoPaths.h"

static const char* LastSingleByteChar(const char* text, unsigned char wanted) {
  const char* found = nullptr;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    if (IsLeadByte(p[0]) && IsTrailByte(p[1]))
      ++p;
    else if (*p == wanted)
      found = reinterpret_cast<const char*>(p);
  }
  return found;
}

const char* ImportExtension(const char* fullPath) { return LastSingleByteChar(fullPath, '.'); }

bool IsImportableExtension(const char* ext) {
  static const char* const importable[] = {".txt", ".TXT", ".html", ".HTML", ".htm", ".HTM"};
  if (!ext) return false;
  for (const char* candidate : importable) {
    if (std::strcmp(ext, candidate) == 0) return true;
  }
  return false;
}

const char* ImportFileName(const char* fullPath) { return FileNamePart(fullPath); }
