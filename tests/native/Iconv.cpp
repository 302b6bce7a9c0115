#include "Iconv.h"

#include <cerrno>

Iconv::Iconv(const char* to, const char* from) : handle(iconv_open(to, from)) {}

Iconv::~Iconv() {
  if (IsOpen()) iconv_close(handle);
}

bool Iconv::Run(const std::string& in, size_t& pos, std::string& out) {
  char buffer[4096];
  for (;;) {
    char* from = const_cast<char*>(in.data()) + pos;
    size_t fromLeft = in.size() - pos;
    char* to = buffer;
    size_t toLeft = sizeof buffer;
    size_t result = iconv(handle, &from, &fromLeft, &to, &toLeft);
    out.append(buffer, to);
    pos = in.size() - fromLeft;
    if (result != static_cast<size_t>(-1)) return fromLeft == 0;
    if (errno != E2BIG) return false;
  }
}

bool Iconv::Convert(const std::string& in, std::string& out) {
  out.clear();
  iconv(handle, nullptr, nullptr, nullptr, nullptr);
  size_t pos = 0;
  return Run(in, pos, out);
}

std::string Iconv::ConvertDropping(const std::string& in) {
  std::string out;
  iconv(handle, nullptr, nullptr, nullptr, nullptr);
  for (size_t pos = 0; !Run(in, pos, out) && pos < in.size();) {
    // Skip the character that stopped it: its lead byte and what continues it.
    ++pos;
    while (pos < in.size() && (static_cast<unsigned char>(in[pos]) & 0xC0) == 0x80) ++pos;
  }
  return out;
}

std::string Utf32(char32_t c) { return std::string(reinterpret_cast<const char*>(&c), 4); }
