#include "EditText.h"

const char16_t EditWord[] = u"メモ";

std::u16string MakeEditText(size_t units) {
  static const char16_t* const fillers[] = {u"abc de", u"会議を", u"予定表", u"ソフト", u"ab\r\ncd", u"x|y\\z ", u"１２月"};
  std::u16string text;
  text.reserve(units * 6);
  for (size_t i = 0; i < units; ++i) {
    text += fillers[(i * 7 + i / 3) % 7];
    text += EditWord;
  }
  return text;
}
