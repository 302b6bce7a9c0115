#include <gtest/gtest.h>

#include "core/Cp932.h"
#include "GuardedText.h"
#include "Reference.h"

static long Find(const std::string& text, const std::string& word) {
  GuardedText guarded(text);
  const char* at = Cp932Find(guarded.data(), guarded.size(), word.data(), word.size());
  return at ? at - guarded.data() : -1;
}

TEST(Cp932, FindRespectsCharacterStarts) {
  struct Case {
    std::string text, word;
    long at;
  } cases[] = {
      {"\x83\x5C", "\\", -1},
      {"\x95\x5C\\", "\\", 2},
      {"\x83\x7C", "|", -1},  // ソ 表 ポ
      {"\x83\x40", "@", -1},
      {"\x83"
       "A",
       "A", -1},
      {"\x83\x5C", "\x83\x5C", 0},
      {"\x9F\x5C", "\\", -1},
      {"\xE0\x5C", "\\", -1},
      {"\xFC\x80", "\x80", -1},
      {"\x80\\", "\\", 1},
      {"\xA0\\", "\\", 1},
      {"\xFD\\", "\\", 1},  // not lead bytes
      {"\x83\x3F", "?", 1},
      {"\x83\x7F", "\x7F", 1},
      {"\x83\xFD", "\xFD", 1},  // nor trail
      {"\x83\n\\", "\n\\", 1},
      {"\x83 \\", " ", 1},
      {"\x83", "\x83", 0},
      {"a\x83\x83\x5C", "\x83\x5C", -1},  // the first 83 takes the second along
      {"\x83\x83\x83\x5C", "\x83\x5C", 2},
      {std::string(40, '\x83') + "\\", "\\", 40},
      {std::string(41, '\x83') + "\\", "\\", -1},
      {std::string(70, 'x') + "\x83\x5C\\x", "\\x", 72},
      {"ABC", "abc", -1},
      {"A", "\x82\x60", -1},
      {"abc", "", 0},
      {"ab", "abc", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.at, Find(c.text, c.word)) << c.text << " / " << c.word;
}

TEST(Cp932, FindAgreesWithCharacterWalk) {
  std::mt19937 rng(7);
  for (int round = 0; round < 3000; ++round) {
    std::string text = RandomCp932(rng, rng() % 150, round % 2 == 0);
    std::string other = RandomCp932(rng, 8, false);
    for (int i = 0; i < 6; ++i) {
      // Cut anywhere, often in the middle of a character.
      const std::string& source = i < 4 ? text : other;
      size_t from = source.empty() ? 0 : rng() % source.size();
      std::string word = source.substr(from, 1 + rng() % 5);
      size_t expected = RefFind(text, word);
      EXPECT_EQ(expected == std::string::npos ? -1 : long(expected), Find(text, word))
          << testing::PrintToString(text) << " / " << testing::PrintToString(word);
    }
  }
}
