#pragma once
// One word of a keyword as UTF-8 memo text may hold it. Seven CP932
// characters decode, as Windows decodes them, to characters that most other
// systems write otherwise, and a UTF-8 or UTF-16 memo may hold either form:
//   〜 U+FF5E / U+301C   − U+FF0D / U+2212   ‖ U+2225 / U+2016   ― U+2015 / U+2014
//   ￠ U+FFE0 / U+00A2   ￡ U+FFE1 / U+00A3   ￢ U+FFE2 / U+00AC
// Each of them in the word matches both. The two forms of one character
// differ in their first two bytes, so at most one of them fits any place of
// the text, and a match is found without trying alternatives.
#include <cstddef>
#include <string>
#include <vector>

class Utf8Word {
public:
  // The word decoded from CP932, each of those characters in its Windows form.
  explicit Utf8Word(const std::string& utf8);

  // Where the first occurrence starting in text[from, len) starts, or
  // NotFound. Both the word and the text being UTF-8, every occurrence is of
  // whole characters. The word must not be empty.
  size_t Find(const char* text, size_t len, size_t from) const;

private:
  // The word cut before and after each character with two forms: the other
  // form is empty for the text between them.
  struct Piece {
    std::string form;
    std::string otherForm;
  };

  bool MatchesFrom(const char* text, size_t len, size_t at, size_t piece) const;
  // For a word that starts with a character of two forms: searched by that
  // character when nothing but such characters follows it...
  size_t FindEitherForm(const char* text, size_t len, size_t from) const;
  // ...and otherwise by the text after it, which is rarer. Both forms are
  // two or three bytes long, so the starts found keep their order.
  size_t FindBeforeText(const char* text, size_t len, size_t from) const;

  std::vector<Piece> pieces;
};
