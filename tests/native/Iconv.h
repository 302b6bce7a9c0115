#pragma once
// glibc's converters, an implementation of the encodings independent of ours.
#include <iconv.h>
#include <string>

class Iconv {
public:
  Iconv(const char* to, const char* from);
  ~Iconv();
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool IsOpen() const { return handle != reinterpret_cast<iconv_t>(-1); }

  // The whole text converted, or false at the first character the target
  // encoding lacks or bytes the source does not allow.
  bool Convert(const std::string& in, std::string& out);

  // The text converted with each such character or byte dropped; in must be
  // UTF-8 for a character to be dropped whole.
  std::string ConvertDropping(const std::string& in);

private:
  // Converts from in[pos] on; leaves pos at what stopped it.
  bool Run(const std::string& in, size_t& pos, std::string& out);

  iconv_t handle;
};

std::string Utf32(char32_t c);
