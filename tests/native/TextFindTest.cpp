#include <gtest/gtest.h>

#include "core/TextFind.h"

namespace {

TEST(TextFind, FindsTheTermAsTheFindDialogAsks) {
  const std::u16string text = u"Word word sword word_x word \uFF21\u0416\u0100 \U0001F600\U0001F601";
  const FindOptions down = {true, false, false}, up = {false, false, false};
  const struct {
    const char* name;
    int from;
    const char16_t* what;
    FindOptions options;
    int at;
  } cases[] = {
      {"down, case-blind", 0, u"WORD", down, 0},
      {"down from inside a match", 1, u"word", down, 5},
      {"down, in its case", 0, u"word", {true, true, false}, 5},
      {"down, whole words", 6, u"word", {true, false, true}, 23},
      {"up, ending at from", 9, u"word", up, 5},
      {"up, whole words", 23, u"word", {false, false, true}, 5},
      {"up from the start", 0, u"word", up, -1},
      {"down past the last", 24, u"word", down, -1},
      {"nothing to find", 0, u"", down, -1},
      {"full-width, Cyrillic and Latin Extended-A, case-blind", 0, u"\uFF41\u0436\u0101", down, 28},
      {"the same in its case", 0, u"\uFF41\u0436\u0101", {true, true, false}, -1},
      {"never inside a surrogate pair", 0, u"\xDE01", down, -1},
      {"a whole emoji", 0, u"\U0001F601", down, 34},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.at, FindInText(text, c.from, c.what, c.options));
  }
}

}  // namespace
