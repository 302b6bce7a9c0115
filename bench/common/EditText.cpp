#include "EditText.h"

const char EditWord[] = "メモ";

std::string MakeEditText(size_t units) {
  static const char* const fillers[] = {"abc de", "会議を", "予定表", "ソフト", "ab\r\ncd", "x|y\\z ", "１２月"};
  std::string text;
  text.reserve(units * 10);
  for (size_t i = 0; i < units; ++i) {
    text += fillers[(i * 7 + i / 3) % 7];
    text += EditWord;
  }
  return text;
}
