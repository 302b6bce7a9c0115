// operations_bench: delete or replace over a 200,000-byte memo with 20,000
// occurrences of a four-byte word, as the extended edit dialog runs it under
// Wine, against a memcpy of the same text measured side by side.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/DeleteReplace.h"
#include "operations/ExtEditDialog.h"
#include "EditText.h"
#include "Timing.h"

namespace {

const size_t occurrences = 20000;
const int repeats = 20;

double MemcpySeconds(const std::u16string& text) {
  std::u16string copy(text.size(), u'\0');
  return BestOfFive([&] {
           for (int i = 0; i < repeats; ++i) {
             memcpy(&copy[0], text.data(), 2 * text.size());
             Consume(copy.data());
           }
         }) /
         repeats;
}

// The dialog's operation on a copy of the pane's text, as the panel runs it.
double DialogSeconds(ExtEditDialog& dialog, const std::u16string& text) {
  return BestOfFive([&] {
           for (int i = 0; i < repeats; ++i) {
             std::u16string edited = text;
             dialog.DeleteOrReplace(edited);
             Consume(edited.data());
           }
         }) /
         repeats;
}

double CoreSeconds(const std::u16string& search, const std::u16string& replacement, bool replace, const std::u16string& text) {
  std::u16string out;
  return BestOfFive([&] {
           for (int i = 0; i < repeats; ++i) {
             DeleteOrReplace(text, search, replacement, replace, out);
             Consume(out.data());
           }
         }) /
         repeats;
}

}  // namespace

int main() {
  std::u16string text = MakeEditText(occurrences);
  std::u16string doubled = MakeEditText(2 * occurrences);
  struct Edit {
    const char* label;
    const char* replacement;
    const char16_t* wideReplacement;
    int replace;
  } edits[] = {{"delete             ", "", u"", 0},
               {"same-length replace", "予定", u"予定", 1},
               {"longer replace     ", "打ち合わせ", u"打ち合わせ", 1}};

  double copy = MemcpySeconds(text);
  std::printf("Delete or replace, %u-unit text, %u occurrences of a two-character word, under Wine\n", static_cast<unsigned>(text.size()),
              static_cast<unsigned>(occurrences));
  std::printf("baseline: memcpy of the text %.3f ms; goal: at most 2 ms, doubled text at most x2.5\n", copy * 1e3);
  ExtEditDialog dialog;
  dialog.searchText = "メモ";
  for (const Edit& edit : edits) {
    dialog.replaceText = edit.replacement;
    dialog.replaceChecked = edit.replace;
    double core = CoreSeconds(EditWord, edit.wideReplacement, edit.replace != 0, text);
    double coreDoubled = CoreSeconds(EditWord, edit.wideReplacement, edit.replace != 0, doubled);
    double once = DialogSeconds(dialog, text);
    double twice = DialogSeconds(dialog, doubled);
    std::printf("  %s  dialog %.3f ms (x%.1f memcpy), doubled x%.2f;  core %.3f ms (x%.1f memcpy), doubled x%.2f\n", edit.label, once * 1e3,
                once / copy, twice / once, core * 1e3, core / copy, coreDoubled / core);
  }
  return 0;
}
