#pragma once
// Heap copies of fuzz inputs with nothing readable after them, so that
// AddressSanitizer reports a read of even one byte past the end.
#include <cstring>
#include <memory>
#include <string>

// The bytes alone; never null, even when there are none.
inline std::unique_ptr<char[]> ExactCopy(const std::string& bytes) {
  std::unique_ptr<char[]> copy(new char[bytes.size()]);
  std::memcpy(copy.get(), bytes.data(), bytes.size());
  return copy;
}

// A C string: text, which holds no NUL, and its terminator.
inline std::unique_ptr<char[]> ExactCString(const std::string& text) {
  std::unique_ptr<char[]> copy(new char[text.size() + 1]);
  std::memcpy(copy.get(), text.c_str(), text.size() + 1);
  return copy;
}

// What a C string made of bytes holds: everything before the first NUL.
inline std::string CutAtNul(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }
