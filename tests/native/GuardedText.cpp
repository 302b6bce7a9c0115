#include "GuardedText.h"

#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

GuardedText::GuardedText(const std::string& text) : len(text.size()) {
  size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  size_t readable = (len + page - 1) / page * page + page;
  mappingSize = readable + page;
  mapping = static_cast<char*>(mmap(nullptr, mappingSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  mprotect(mapping + readable, page, PROT_NONE);
  begin = mapping + readable - len;
  std::memcpy(begin, text.data(), len);
}

GuardedText::~GuardedText() { munmap(mapping, mappingSize); }
