// What the text pane shows of a memo file's bytes, against a plain walk of a
// C runtime line reader: the same text, the same loss, never a byte past the
// file read.
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

#include "Check.h"
#include "GuardedCopy.h"
#include "MemoPaneText.h"
#include "Reference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  size_t limit = input.ConsumeIntegralInRange<size_t>(0, 4096);
  std::string file = input.ConsumeRemainingBytesAsString();
  GuardedCopy copy(file);
  MemoPaneText pane = PaneTextFromFile(copy.data(), file.size(), limit);
  MemoPaneText expected = RefPaneText(file, limit);
  FUZZ_CHECK(pane.text == expected.text);
  FUZZ_CHECK(pane.loss == expected.loss);
  return 0;
}
