#pragma once
// Heap copies of fuzz inputs that end where AddressSanitizer's guard begins,
// so that reading or writing even one byte past them is reported.
#include <cstring>
#include <memory>
#include <string>

class GuardedCopy {
public:
  // The bytes are the tail of a block one byte longer: AddressSanitizer
  // guards the end of every block but one of no bytes at all.
  explicit GuardedCopy(const std::string& bytes) : block(new char[bytes.size() + 1]) {
    std::memcpy(block.get() + 1, bytes.data(), bytes.size());
  }

  char* data() const { return block.get() + 1; }

private:
  std::unique_ptr<char[]> block;
};

// A C string: text, which holds no NUL, and its terminator.
inline GuardedCopy GuardedCString(const std::string& text) { return GuardedCopy(std::string(text.c_str(), text.size() + 1)); }

// What a C string made of bytes holds: everything before the first NUL.
inline std::string CutAtNul(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }
