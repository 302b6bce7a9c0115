// Delete-or-replace against the plain character walk: the result and the
// number of occurrences. The text is UTF-16 made of the input's byte pairs;
// the search is either given or cut from the text, so that occurrences, and
// near misses on the second half of surrogate pairs, are common.
//
// Input: the search (when given), the replacement, then the text. From the
// end backwards: replace or delete, whether the search is cut from the text,
// the search's and the replacement's lengths, where the cut starts.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "Check.h"
#include "core/DeleteReplace.h"
#include "Reference.h"

namespace {

const size_t MaxSearchLen = 8;
const size_t MaxReplacementLen = 8;

// Units from byte pairs, most of them surrogates or a few letters.
std::u16string Units(const std::string& bytes) {
  static const char16_t common[] = {u'a', u'b', u'\n', 0xD83D, 0xDE00, 0xDC00};
  std::u16string units;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unsigned char kind = static_cast<unsigned char>(bytes[i]);
    units += kind < 0xC0 ? common[kind % 6] : static_cast<char16_t>(kind << 8 | static_cast<unsigned char>(bytes[i + 1]));
  }
  return units;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  bool replace = input.ConsumeBool();
  bool searchFromText = input.ConsumeBool();
  size_t searchLen = input.ConsumeIntegralInRange<size_t>(0, MaxSearchLen);
  size_t replacementLen = input.ConsumeIntegralInRange<size_t>(0, MaxReplacementLen);
  size_t cutAt = input.ConsumeIntegral<uint16_t>();
  std::u16string search = searchFromText ? u"" : Units(input.ConsumeBytesAsString(2 * searchLen));
  std::u16string replacement = Units(input.ConsumeBytesAsString(2 * replacementLen));
  std::u16string text = Units(input.ConsumeRemainingBytesAsString());
  if (searchFromText) search = text.substr(cutAt % (text.size() + 1), searchLen);

  std::u16string expected, out = u"stale";
  size_t expectedCount = RefDeleteOrReplace(text, search, replacement, replace, expected);
  size_t count = DeleteOrReplace(text, search, replacement, replace, out);
  FUZZ_CHECK(count == expectedCount);
  FUZZ_CHECK(out == expected);
  return 0;
}
