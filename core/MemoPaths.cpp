#include "core/MemoPaths.h"

#include <cctype>
#include <cstring>

#include "core/NameText.h"

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
  if (Utf16Units(out) < PlainPathUnits) return true;
  out[0] = '\0';
  return false;
}

// No byte of a UTF-8 character beyond ASCII is a backslash.
bool EndsWithBackslash(const char* path) {
  size_t length = std::strlen(path);
  return length > 0 && path[length - 1] == '\\';
}

const char* FileNamePart(const char* path) {
  const char* last = std::strrchr(path, '\\');
  return last ? last + 1 : path;
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
