#include "core/MemoPaths.h"

#include <cctype>
#include <cstring>

#include "core/Cp932.h"

static bool Concatenate(const char* const* parts, size_t count, char* out, size_t outSize) {
  size_t total = 0;
  for (size_t i = 0; i < count; ++i) total += std::strlen(parts[i]);
  if (total >= outSize) {
    if (outSize > 0) out[0] = '\0';
    return false;
  }
  char* end = out;
  for (size_t i = 0; i < count; ++i) {
    size_t len = std::strlen(parts[i]);
    std::memcpy(end, parts[i], len);
    end += len;
  }
  *end = '\0';
  return true;
}

bool EndsWithBackslash(const char* path) {
  const unsigned char* last = nullptr;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(path); *p; ++p) {
    last = p;
    if (IsLeadByte(p[0]) && IsTrailByte(p[1])) ++p;
  }
  return last && *last == '\\';
}

const char* FileNamePart(const char* path) {
  const char* name = path;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(path); *p; ++p) {
    if (IsLeadByte(p[0]) && IsTrailByte(p[1]))
      ++p;
    else if (*p == '\\')
      name = reinterpret_cast<const char*>(p + 1);
  }
  return name;
}

bool FormMemoFolderPath(const char* storedPath, char* out, size_t outSize) {
  const char* parts[] = {storedPath, EndsWithBackslash(storedPath) ? "" : "\\"};
  return Concatenate(parts, 2, out, outSize);
}

bool FormMemoFilePath(const char* folderPath, const char* title, const char* extension, char* out, size_t outSize) {
  const char* parts[] = {folderPath, title, extension};
  return Concatenate(parts, 3, out, outSize);
}

bool IsTemporaryName(const char* name) {
  if (std::strncmp(name, "~sb", 3) != 0) return false;
  const char* digits = name + 3;
  const char* end = digits;
  while (std::isxdigit(static_cast<unsigned char>(*end))) ++end;
  return end - digits >= 2 && (*end == '\0' || std::strcmp(end, ".tmp") == 0);
}
