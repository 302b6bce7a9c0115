#include "EditBench.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "DeleteReplace.h"
#include "EditText.h"
#include "Timing.h"

namespace {

const size_t Occurrences = 20000;
const int Repeats = 20;

double SecondsPerEdit(const std::string& text, const char* replacement, bool replace, std::string& out) {
  return BestOfFive([&] {
           for (int i = 0; i < Repeats; ++i) {
             DeleteOrReplace(text.data(), text.size(), EditWord, std::strlen(EditWord), replacement, std::strlen(replacement), replace,
                             out);
             Consume(out.data());
           }
         }) /
         Repeats;
}

}  // namespace

void RunEditBench() {
  std::string text = MakeEditText(Occurrences);
  std::string doubled = MakeEditText(2 * Occurrences);
  std::string copy(text.size(), '\0');
  double memcpySeconds = BestOfFive([&] {
                           for (int i = 0; i < Repeats; ++i) {
                             std::memcpy(&copy[0], text.data(), text.size());
                             Consume(copy.data());
                           }
                         }) /
                         Repeats;
  std::printf(
      "DeleteOrReplace, %zu-byte text, %zu occurrences of a 4-byte word"
      " (memcpy of the text: %.1f us):\n",
      text.size(), Occurrences, memcpySeconds * 1e6);
  struct Edit {
    const char* label;
    const char* replacement;
    bool replace;
  } edits[] = {{"delete              ", "", false}, {"same-length replace ", "予定", true}, {"longer replace      ", "打ち合わせ", true}};
  std::string out;
  for (const Edit& edit : edits) {
    double once = SecondsPerEdit(text, edit.replacement, edit.replace, out);
    double twice = SecondsPerEdit(doubled, edit.replacement, edit.replace, out);
    std::printf("  %s %7.1f us, doubled text x%.2f (goal <= 2.5), x%.1f of memcpy\n", edit.label, once * 1e6, twice / once,
                once / memcpySeconds);
  }
}
