// The keyword rule against a plain cut of the keyword and the character walk:
// the words a keyword is cut into, and whether a line holds any of them.
//
// Input: the keyword (up to its first NUL, as the host passes it), then the
// line. The last byte gives the keyword's length.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <vector>

#include "Check.h"
#include "GuardedCopy.h"
#include "core/KeywordMatch.h"
#include "Reference.h"

namespace {

const size_t MaxKeywordLen = 64;

// Cut at each space, except that a space met with the current word still
// empty ends the cutting: from there on, spaces included, all is one word.
std::vector<std::string> RefWords(const std::string& keyword) {
  std::vector<std::string> words(1);
  for (size_t i = 0; i < keyword.size(); ++i) {
    if (keyword[i] != ' ') {
      words.back() += keyword[i];
    } else if (!words.back().empty()) {
      words.emplace_back();
    } else {
      words.back() = keyword.substr(i);
      break;
    }
  }
  return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  size_t keywordLen = input.ConsumeIntegralInRange<size_t>(0, MaxKeywordLen);
  std::string keyword = CutAtNul(input.ConsumeBytesAsString(keywordLen));
  std::string line = input.ConsumeRemainingBytesAsString();

  KeywordMatcher matcher(GuardedCString(keyword).data());
  FUZZ_CHECK(matcher.Words() == RefWords(keyword));
  GuardedCopy copy(line);
  FUZZ_CHECK(matcher.LineMatches(copy.data(), line.size()) == RefLineMatches(line, keyword));
  return 0;
}
