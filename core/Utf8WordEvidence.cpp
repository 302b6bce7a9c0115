#include "core/Utf8WordEvidence.h"

#include <algorithm>
#include <iterator>

#include "core/AsciiRun.h"

namespace {

const int Weights[WordScriptCount][WordShapeCount] = {
    // one alone, one amid ASCII words, several alone, beside ASCII letters
    {0, 5, 1, 10},    // Latin-1 letters: "è", "café"
    {-6, 1, 0, 4},    // Latin Extended, with or without Latin-1 letters: "Dvořák"
    {-1, 1, 3, 0},    // Greek
    {-6, 1, 7, 0},    // Cyrillic
    {-6, -6, 7, -7},  // Hebrew
    {-6, -6, 7, -7},  // Arabic
    {-6, -6, 7, -7},  // Hangul led by ED
    {2, 2, 0, 6},     // signs: "©", "°C"
};

const unsigned NoScript = 1u << WordScriptCount;

unsigned Bit(WordScript script) { return 1u << static_cast<int>(script); }

bool IsArabic(char32_t c) {
  // Letters and vowel marks; the comma, semicolon and question mark; the
  // letters Persian adds.
  static const char32_t others[] = {0x60C, 0x61B, 0x61F, 0x67E, 0x686, 0x698, 0x6A9, 0x6AF, 0x6CC};
  return (c >= 0x621 && c <= 0x652) || std::find(std::begin(others), std::end(others), c) != std::end(others);
}

unsigned ScriptOf(char32_t c) {
  if (c >= 0xA1 && c < 0xC0) return Bit(WordScript::Signs);
  if (c >= 0xC0 && c < 0x100 && c != 0xD7 && c != 0xF7) return Bit(WordScript::Latin1);
  if ((c >= 0x100 && c < 0x250) || c == 0x259 || (c >= 0x300 && c < 0x370)) return Bit(WordScript::LatinExtended);
  if (c >= 0x370 && c < 0x3D0) return Bit(WordScript::Greek);
  if (c >= 0x400 && c < 0x500) return Bit(WordScript::Cyrillic);
  if (c >= 0x5D0 && c <= 0x5EA) return Bit(WordScript::Hebrew);
  if (IsArabic(c)) return Bit(WordScript::Arabic);
  return NoScript;
}

bool IsAsciiLetter(unsigned char b) { return static_cast<unsigned char>((b | 0x20) - 'a') < 26; }

}  // namespace

int WordWeight(WordScript script, WordShape shape) { return Weights[static_cast<int>(script)][static_cast<int>(shape)]; }

void Utf8WordEvidence::AddChar(unsigned char lead, unsigned char trail) {
  scripts |= ScriptOf(static_cast<char32_t>((lead & 0x1Fu) << 6 | (trail & 0x3Fu)));
  chars += chars < 2;
  afterCp932Lead = trail >= 0x81 && trail <= 0x9F;
}

void Utf8WordEvidence::EndWord() {
  if (chars > 0) {
    unsigned letters = scripts & ~Bit(WordScript::Signs);
    unsigned kinds = letters != 0 ? letters : scripts;
    if (kinds == (Bit(WordScript::Latin1) | Bit(WordScript::LatinExtended))) kinds = Bit(WordScript::LatinExtended);
    if (kinds == NoScript) {
      weight += OtherWordWeight;
    } else if ((kinds & (kinds - 1)) != 0) {
      weight += MixedWordWeight;
    } else {
      WordScript script = static_cast<WordScript>(__builtin_ctz(kinds));
      if (asciiLetter || chars > 1) {
        weight += WordWeight(script, asciiLetter ? WordShape::BesideAsciiLetters : WordShape::SeveralAlone);
      } else {
        // Whether the text holds an ASCII letter is known only at its end.
        oneAlone += WordWeight(script, WordShape::OneAlone);
        oneAmidAsciiWords += WordWeight(script, WordShape::OneAmidAsciiWords);
      }
    }
  }
  scripts = 0;
  chars = 0;
  asciiLetter = false;
}

void Utf8WordEvidence::Feed(const char* data, size_t len) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(data);
  size_t i = 0;
  if (pendingLead != 0 && len > 0) {
    AddChar(pendingLead, p[0]);
    pendingLead = 0;
    i = 1;
  }
  while (i < len) {
    unsigned char b = p[i];
    if (b < 0x80) {
      if (chars > 0) {
        // ASCII letters join the word of the character before them.
        size_t run = 0;
        while (i + run < len && IsAsciiLetter(p[i + run])) ++run;
        if (run > 0) {
          sawAsciiLetter = true;
          asciiLetter = asciiLetter || run > 1 || !afterCp932Lead || chars == 1;
          afterCp932Lead = false;
          i += run;
          continue;
        }
        EndWord();
      }
      // Words of ASCII alone weigh nothing: pass over them, keeping only
      // whether letters run up to the next byte outside ASCII.
      size_t run = AsciiRun(p + i, len - i);
      for (size_t k = i; !sawAsciiLetter && k < i + run; ++k) sawAsciiLetter = IsAsciiLetter(p[k]);
      asciiLetter = IsAsciiLetter(p[i + run - 1]);
      afterCp932Lead = false;
      i += run;
    } else if (b >= 0xC2 && b <= 0xDF) {
      if (i + 1 == len) {
        pendingLead = b;
        return;
      }
      AddChar(b, p[i + 1]);
      i += 2;
    } else {
      // Part of a character at U+0800 or above. Only those led by ED and EE
      // get here before the file is settled as UTF-8.
      if (b == 0xED || b == 0xEE) {
        scripts |= b == 0xED ? Bit(WordScript::Hangul) : NoScript;
        chars += chars < 2;
      }
      afterCp932Lead = false;
      ++i;
    }
  }
}

bool Utf8WordEvidence::FinishFavoursUtf8() {
  EndWord();
  return weight + (sawAsciiLetter ? oneAmidAsciiWords : oneAlone) > 0;
}
