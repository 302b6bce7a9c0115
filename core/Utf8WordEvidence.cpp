#include "core/Utf8WordEvidence.h"

#include "core/AsciiRun.h"

namespace {

const int Weights[WordScriptCount][WordShapeCount] = {
    // one alone, several alone, beside ASCII letters
    {5, 1, 10},   // Latin-1 letters: "è", "café"
    {-6, -5, 4},  // Latin Extended, with or without Latin-1 letters: "Dvořák"
    {-1, 3, 0},   // Greek
    {-6, 7, 0},   // Cyrillic
    {2, 0, 6},    // signs: "©", "°C"
};

const unsigned NoScript = 1u << WordScriptCount;

unsigned Bit(WordScript script) { return 1u << static_cast<int>(script); }

unsigned ScriptOf(char32_t c) {
  if (c >= 0xA1 && c < 0xC0) return Bit(WordScript::Signs);
  if (c >= 0xC0 && c < 0x100 && c != 0xD7 && c != 0xF7) return Bit(WordScript::Latin1);
  if (c >= 0x100 && c < 0x250) return Bit(WordScript::LatinExtended);
  if (c >= 0x370 && c < 0x3D0) return Bit(WordScript::Greek);
  if (c >= 0x400 && c < 0x500) return Bit(WordScript::Cyrillic);
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
      WordShape shape = asciiLetter ? WordShape::BesideAsciiLetters : chars == 1 ? WordShape::OneAlone : WordShape::SeveralAlone;
      weight += WordWeight(static_cast<WordScript>(__builtin_ctz(kinds)), shape);
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
          asciiLetter = asciiLetter || run > 1 || !afterCp932Lead;
          afterCp932Lead = false;
          i += run;
          continue;
        }
        EndWord();
      }
      // Words of ASCII alone weigh nothing: pass over them, keeping only
      // whether letters run up to the next byte outside ASCII.
      size_t run = AsciiRun(p + i, len - i);
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
      // Part of a character at U+0800 or above, which settles the file as
      // UTF-8 whatever the words weigh.
      afterCp932Lead = false;
      ++i;
    }
  }
}

bool Utf8WordEvidence::FinishFavoursUtf8() {
  EndWord();
  return weight > 0;
}
