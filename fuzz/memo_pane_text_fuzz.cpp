// What the text pane shows of a memo file's text, against a plain walk of a
// C runtime line reader over the text in code page 932: the same text, the
// same loss.
//
// Input: the file's bytes, decoded as a memo loads; the last two bytes give
// the pane's limit.
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

#include "Check.h"
#include "core/MemoText.h"
#include "Reference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  size_t limit = input.ConsumeIntegralInRange<size_t>(0, 4096);
  std::string file = input.ConsumeRemainingBytesAsString();
  std::u16string text = DecodeMemoText(file.data(), file.size()).text, expected;
  PaneLoss loss = RefPaneText(text, limit, expected);
  FUZZ_CHECK(FitPaneText(text, limit) == loss);
  FUZZ_CHECK(text == expected);
  return 0;
}
