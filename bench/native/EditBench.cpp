#include "EditBench.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/DeleteReplace.h"
#include "EditText.h"
#include "Timing.h"

namespace {

const size_t Occurrences = 20000;
const int Repeats = 20;

double SecondsPerEdit(const std::u16string& text, const char16_t* replacement, bool replace, std::u16string& out) {
  return BestOfFive([&] {
           for (int i = 0; i < Repeats; ++i) {
             DeleteOrReplace(text, EditWord, replacement, replace, out);
             Consume(out.data());
           }
         }) /
         Repeats;
}

}  // namespace

void RunEditBench() {
  std::u16string text = MakeEditText(Occurrences);
  std::u16string doubled = MakeEditText(2 * Occurrences);
  std::u16string copy(text.size(), u'\0');
  double memcpySeconds = BestOfFive([&] {
                           for (int i = 0; i < Repeats; ++i) {
                             std::memcpy(&copy[0], text.data(), 2 * text.size());
                             Consume(copy.data());
                           }
                         }) /
                         Repeats;
  std::printf(
      "DeleteOrReplace, %zu-unit text, %zu occurrences of a two-character word"
      " (memcpy of the text: %.1f us):\n",
      text.size(), Occurrences, memcpySeconds * 1e6);
  struct Edit {
    const char* label;
    const char16_t* replacement;
    bool replace;
  } edits[] = {
      {"delete              ", u"", false}, {"same-length replace ", u"予定", true}, {"longer replace      ", u"打ち合わせ", true}};
  std::u16string out;
  for (const Edit& edit : edits) {
    double once = SecondsPerEdit(text, edit.replacement, edit.replace, out);
    double twice = SecondsPerEdit(doubled, edit.replacement, edit.replace, out);
    std::printf("  %s %7.1f us, doubled text x%.2f (goal <= 2.5), x%.1f of memcpy\n", edit.label, once * 1e6, twice / once,
                once / memcpySeconds);
  }
}
