#include <gtest/gtest.h>

#include "core/KeywordMatch.h"

TEST(KeywordMatch, CutsKeywordIntoWords) {
  struct Case {
    const char* keyword;
    std::vector<std::string> words;
    bool wholeBlocks;
    const char* hit;
    const char* miss;  // nullptr: every line matches
  } cases[] = {
      {"foo bar", {"foo", "bar"}, true, "a bar", "fo ba"},
      {"foo  bar", {"foo", " bar"}, true, "a bar", "bar"},
      {" foo", {" foo"}, true, "a foo", "foo"},
      {"foo ", {"foo", ""}, false, "x", nullptr},
      {"", {""}, false, "x", nullptr},
      {nullptr, {""}, false, "x", nullptr},
      {"a b c", {"a", "b", "c"}, true, "c", "d"},
      {"a\rb c", {"a\rb", "c"}, false, "a\rb", "a b"},
      {"\x81\x40x", {"\x81\x40x"}, true, "\x81\x40x", " x"},  // the full-width space does not cut
      {"x \\", {"x", "\\"}, true, "\x83\x5C\\", "\x83\x5C"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keyword ? c.keyword : "null");
    KeywordMatcher matcher(c.keyword);
    EXPECT_EQ(c.words, matcher.Words());
    EXPECT_EQ(c.wholeBlocks, matcher.SearchesWholeBlocks());
    EXPECT_TRUE(matcher.LineMatches(c.hit, strlen(c.hit)));
    if (c.miss) {
      EXPECT_FALSE(matcher.LineMatches(c.miss, strlen(c.miss)));
    }
  }
}
