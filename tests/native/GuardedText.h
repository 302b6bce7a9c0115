#pragma once
#include <string>

// A copy of a text that ends right where an unreadable page begins, so a
// search that reads even one byte past the end crashes instead of reading a
// string's terminator.
class GuardedText {
public:
  explicit GuardedText(const std::string& text);
  ~GuardedText();
  GuardedText(const GuardedText&) = delete;
  GuardedText& operator=(const GuardedText&) = delete;

  const char* data() const { return begin; }
  size_t size() const { return len; }

private:
  char* mapping;
  size_t mappingSize;
  char* begin;
  size_t len;
};
