#include "core/Positions.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

int ReadPosition(const char* text) {
  // atoi leaves overflow undefined; clamping keeps both C runtimes in step.
  long value = std::strtol(text, nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

void FormatPosition(int value, char out[12]) { std::snprintf(out, 12, "%d", value); }
