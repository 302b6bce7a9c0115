#include <gtest/gtest.h>

#include <random>

#include "core/DeleteReplace.h"
#include "Reference.h"

namespace {

TEST(DeleteReplace, SingleLinearPass) {
  struct Case {
    std::u16string text, search, replacement;
    bool replace;
    std::u16string result;
    size_t count;
  } cases[] = {
      {u"aabb", u"ab", u"", false, u"ab", 1},  // the join of a and b is not searched
      {u"aa", u"a", u"aa", true, u"aaaa", 2},  // nor is the replacement
      {u"xaxa", u"a", u"", true, u"xx", 2},
      {u"ABC", u"abc", u"", false, u"ABC", 0},
      {u"aソソ", u"ソ", u"-", true, u"a--", 2},
      {u"ab\r\ncd\r\n", u"cd", u"", false, u"ab\r\n\r\n", 1},
      {u"abab", u"ab", u"abab", true, u"abababab", 2},
      // The second half of a surrogate pair starts no occurrence.
      {u"\U0001F600\U0001F600", std::u16string(1, u"\U0001F600"[1]), u"", false, u"\U0001F600\U0001F600", 0},
      {u"\U0001F600x\U0001F600", u"\U0001F600", u"\u20AC", true, u"\u20ACx\u20AC", 2},
      {u"abc", u"", u"x", true, u"abc", 0},
  };
  for (const Case& c : cases) {
    std::u16string out = u"stale";
    EXPECT_EQ(c.count, DeleteOrReplace(c.text, c.search, c.replacement, c.replace, out));
    EXPECT_TRUE(c.result == out);
  }
}

TEST(DeleteReplace, AgreesWithTheCharacterWalk) {
  std::mt19937 rng(5);
  const std::u16string alphabet = u"ab\r\nソ\U0001F600";
  for (int round = 0; round < 3000; ++round) {
    std::u16string text;
    for (size_t n = rng() % 60; n > 0; --n) text += alphabet[rng() % alphabet.size()];
    std::u16string search = text.substr(text.empty() ? 0 : rng() % text.size(), 1 + rng() % 4);
    std::u16string replacement = alphabet.substr(rng() % alphabet.size(), rng() % 3);
    bool replace = rng() % 2 == 0;
    std::u16string expected, out;
    size_t expectedCount = RefDeleteOrReplace(text, search, replacement, replace, expected);
    EXPECT_EQ(expectedCount, DeleteOrReplace(text, search, replacement, replace, out));
    EXPECT_TRUE(expected == out);
  }
}

}  // namespace
