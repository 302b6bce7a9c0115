#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "MemoPaneText.h"
#include "Reference.h"

namespace {

TEST(MemoPaneText, ShowsWhatTheLineReaderTookAndSaysWhatItLost) {
  const std::string full(200000, 'x');
  const std::string longLine = std::string(199999, 'y') + std::string("\0z\r\n", 4);
  const struct {
    const char* name;
    std::string file;
    std::string text;
    PaneLoss loss;
  } cases[] = {
      {"empty", "", "", PaneLoss::None},
      {"lines", "一行目\r\n二行目", "一行目\r\n二行目", PaneLoss::None},
      {"NUL hides the rest of its line", std::string("a\0b\r\nc", 6), "ac", PaneLoss::Nul},
      {"exactly the limit", full, full, PaneLoss::None},
      {"one byte over", full + "x", full, PaneLoss::Cut},
      {"a NUL in the next piece of a long line", longLine, std::string(199999, 'y'), PaneLoss::Nul},
  };
  for (const auto& c : cases) {
    MemoPaneText pane = PaneTextFromFile(c.file.data(), c.file.size());
    EXPECT_EQ(c.text, pane.text) << c.name;
    EXPECT_EQ(c.loss, pane.loss) << c.name;
  }
}

TEST(MemoPaneText, AgreesWithTheLineReaderOnRandomFiles) {
  std::mt19937 random(7);
  const char alphabet[] = {'a', '\r', '\n', '\0', '\x83', '\x5C'};
  for (int round = 0; round < 300; ++round) {
    std::string file(random() % 2000, ' ');
    for (char& c : file) c = alphabet[random() % sizeof(alphabet)];
    size_t limit = random() % 2000;
    MemoPaneText expected = RefPaneText(file, limit), actual = PaneTextFromFile(file.data(), file.size(), limit);
    ASSERT_EQ(expected.text, actual.text) << "round " << round;
    ASSERT_EQ(expected.loss, actual.loss) << "round " << round;
  }
}

}  // namespace
