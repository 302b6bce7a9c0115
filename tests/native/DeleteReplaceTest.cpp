#include <gtest/gtest.h>

#include "DeleteReplace.h"
#include "GuardedText.h"
#include "Reference.h"

TEST(DeleteReplace, SingleLinearPass) {
  struct Case {
    std::string text, search, replacement;
    bool replace;
    std::string result;
    size_t count;
  } cases[] = {
      {"aabb", "ab", "", false, "ab", 1},  // the join of a and b is not searched
      {"aa", "a", "aa", true, "aaaa", 2},  // nor is the replacement
      {"xaxa", "a", "", true, "xx", 2},
      {"ABC", "abc", "", false, "ABC", 0},
      {"A", "\x82\x60", "", false, "A", 0},
      {"\x83\x5C", "\\", "", false, "\x83\x5C", 0},
      {"a\x83\x5C\x83\x5C", "\x83\x5C", "-", true, "a--", 2},
      {"ab\r\ncd\r\n", "x", "", false, "ab\r\ncd\r\n", 0},
      {"ab\r\ncd\r\n", "cd", "", false, "ab\r\n\r\n", 1},
      {"abab", "ab", "abab", true, "abababab", 2},
      // The walk resumes as a character start after each occurrence, even
      // when the occurrence ended on a lead byte.
      {"\x83\x83\x5C", "\x83", "", false, "\x5C", 2},
      {"abc", "", "x", true, "abc", 0},
  };
  for (const Case& c : cases) {
    std::string out = "stale";
    size_t count = DeleteOrReplace(c.text.data(), c.text.size(), c.search.data(), c.search.size(), c.replacement.data(),
                                   c.replacement.size(), c.replace, out);
    EXPECT_EQ(c.result, out) << c.text << " / " << c.search;
    EXPECT_EQ(c.count, count) << c.text << " / " << c.search;
  }
}

TEST(DeleteReplace, AgreesWithCharacterWalk) {
  std::mt19937 rng(5);
  for (int round = 0; round < 3000; ++round) {
    std::string text = RandomCp932(rng, rng() % 150, round % 2 == 0);
    size_t from = text.empty() ? 0 : rng() % text.size();
    std::string search = text.substr(from, 1 + rng() % 4);
    if (search.empty()) continue;
    std::string replacement = RandomCp932(rng, rng() % 3, false);
    bool replace = rng() % 2 == 0;
    std::string expected, out;
    size_t expectedCount = RefDeleteOrReplace(text, search, replacement, replace, expected);
    GuardedText guarded(text);
    EXPECT_EQ(expectedCount, DeleteOrReplace(guarded.data(), guarded.size(), search.data(), search.size(), replacement.data(),
                                             replacement.size(), replace, out));
    EXPECT_EQ(expected, out) << testing::PrintToString(text) << " / " << testing::PrintToString(search);
  }
}
