#include "MemoTitle.h"

#include <cstring>

static bool BeginsDoubleByte(unsigned char b) { return (b >= 0x80 && b <= 0xA0) || b >= 0xE0; }

bool HasForbiddenChar(const char* title) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(title); *p; ++p) {
    if (BeginsDoubleByte(*p)) {
      if (!*++p) return false;
    } else if (std::strchr("\\/:*?\"<>|", *p)) {
      return true;
    }
  }
  return false;
}

std::string TitleFromFileName(const char* fileName) {
  const char* dot = std::strrchr(fileName, '.');
  return dot ? std::string(fileName, dot) : std::string(fileName);
}
