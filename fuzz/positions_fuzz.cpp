// Window positions against a plain digit walk: reading the settings file's
// text, and formatting a value so that it reads back the same.
//
// Input: the text, up to its first NUL. The last four bytes are the value
// to format.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <string>

#include "Check.h"
#include "GuardedCopy.h"
#include "core/Positions.h"

namespace {

int RefReadPosition(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  // Past this bound the value clamps either way; stopping there keeps the
  // sum from overflowing however many digits follow.
  const long long beyondInt = 1LL << 32;
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = std::min(beyondInt, value * 10 + (text[i] - '0'));
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  int value = input.ConsumeIntegral<int>();
  std::string text = CutAtNul(input.ConsumeRemainingBytesAsString());
  FUZZ_CHECK(ReadPosition(GuardedCString(text).data()) == RefReadPosition(text));

  char formatted[12];
  FormatPosition(value, formatted);
  FUZZ_CHECK(formatted == std::to_string(value));
  FUZZ_CHECK(ReadPosition(formatted) == value);
  return 0;
}
