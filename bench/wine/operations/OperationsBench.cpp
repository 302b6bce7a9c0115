// operations_bench: delete or replace over a 200,000-byte memo with 20,000
// occurrences of a four-byte word, as the extended edit dialog runs it under
// Wine, against a memcpy of the same text measured side by side.
#include <cstdio>
#include <cstring>
#include <string>

#include "DeleteReplace.h"
#include "ExtEditDialog.h"
#include "EditText.h"
#include "Timing.h"

namespace {

const size_t occurrences = 20000;
const int repeats = 20;

double MemcpySeconds(const std::string& text) {
  std::string copy(text.size(), '\0');
  return BestOfFive([&] {
           for (int i = 0; i < repeats; ++i) {
             memcpy(&copy[0], text.data(), text.size());
             Consume(copy.data());
           }
         }) /
         repeats;
}

// The dialog's operation on a copy of the pane's text, as the panel runs it.
double DialogSeconds(ExtEditDialog& dialog, const std::string& text) {
  CString pane(text.data(), static_cast<int>(text.size()));
  return BestOfFive([&] {
           for (int i = 0; i < repeats; ++i) {
             CString edited = pane;
             dialog.DeleteOrReplace(edited);
             Consume(edited.GetString());
           }
         }) /
         repeats;
}

double CoreSeconds(const ExtEditDialog& dialog, const std::string& text) {
  std::string out;
  return BestOfFive([&] {
           for (int i = 0; i < repeats; ++i) {
             DeleteOrReplace(text.data(), text.size(), dialog.searchText, dialog.searchText.GetLength(), dialog.replaceText,
                             dialog.replaceText.GetLength(), dialog.replaceChecked != 0, out);
             Consume(out.data());
           }
         }) /
         repeats;
}

}  // namespace

int main() {
  std::string text = MakeEditText(occurrences);
  std::string doubled = MakeEditText(2 * occurrences);
  struct Edit {
    const char* label;
    const char* replacement;
    int replace;
  } edits[] = {{"delete             ", "", 0}, {"same-length replace", "予定", 1}, {"longer replace     ", "打ち合わせ", 1}};

  double copy = MemcpySeconds(text);
  std::printf("Delete or replace, %u-byte text, %u occurrences of a 4-byte word, under Wine\n", static_cast<unsigned>(text.size()),
              static_cast<unsigned>(occurrences));
  std::printf("baseline: memcpy of the text %.3f ms; goal: at most 2 ms, doubled text at most x2.5\n", copy * 1e3);
  ExtEditDialog dialog;
  dialog.searchText = EditWord;
  for (const Edit& edit : edits) {
    dialog.replaceText = edit.replacement;
    dialog.replaceChecked = edit.replace;
    double core = CoreSeconds(dialog, text);
    double coreDoubled = CoreSeconds(dialog, doubled);
    double once = DialogSeconds(dialog, text);
    double twice = DialogSeconds(dialog, doubled);
    std::printf("  %s  dialog %.3f ms (x%.1f memcpy), doubled x%.2f;  core %.3f ms (x%.1f memcpy), doubled x%.2f\n", edit.label, once * 1e3,
                once / copy, twice / once, core * 1e3, core / copy, coreDoubled / core);
  }
  return 0;
}
