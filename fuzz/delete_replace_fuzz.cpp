// Delete-or-replace against the plain character walk: the result and the
// number of occurrences. The search is either given or cut from the text, so
// that occurrences, and near misses inside double-byte characters, are common.
//
// Input: the search (when given), the replacement, then the text. From the
// end backwards: replace or delete, whether the search is cut from the text,
// the search's and the replacement's lengths, where the cut starts.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "Check.h"
#include "DeleteReplace.h"
#include "GuardedCopy.h"
#include "Reference.h"

namespace {

const size_t MaxSearchLen = 16;
const size_t MaxReplacementLen = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  bool replace = input.ConsumeBool();
  bool searchFromText = input.ConsumeBool();
  size_t searchLen = input.ConsumeIntegralInRange<size_t>(0, MaxSearchLen);
  size_t replacementLen = input.ConsumeIntegralInRange<size_t>(0, MaxReplacementLen);
  size_t cutAt = input.ConsumeIntegral<uint16_t>();
  std::string search = searchFromText ? "" : input.ConsumeBytesAsString(searchLen);
  std::string replacement = input.ConsumeBytesAsString(replacementLen);
  std::string text = input.ConsumeRemainingBytesAsString();
  if (searchFromText) search = text.substr(cutAt % (text.size() + 1), searchLen);

  std::string expected;
  size_t expectedCount = RefDeleteOrReplace(text, search, replacement, replace, expected);
  GuardedCopy textCopy(text);
  GuardedCopy searchCopy(search);
  GuardedCopy replacementCopy(replacement);
  std::string out = "stale";
  size_t count = DeleteOrReplace(textCopy.data(), text.size(), searchCopy.data(), search.size(), replacementCopy.data(), replacement.size(),
                                 replace, out);
  FUZZ_CHECK(count == expectedCount);
  FUZZ_CHECK(out == expected);
  return 0;
}
