#include "EncodingBench.h"

#include <cstdio>
#include <string>

#include "Corpus.h"
#include "EditText.h"
#include "core/MemoText.h"
#include "Timing.h"

namespace {

const size_t PaneLimit = 200000;
const int Repeats = 20;

template <typename Work>
double SecondsEach(Work work) {
  return BestOfFive([&] {
           for (int i = 0; i < Repeats; ++i) work();
         }) /
         Repeats;
}

}  // namespace

void RunEncodingBench() {
  std::string cp932 = MakeLongMemo(PaneLimit).substr(0, PaneLimit);
  // Cut at a line end, so the text stays whole characters.
  cp932.resize(cp932.rfind('\n') + 1);
  MemoText loaded = DecodeMemoText(cp932.data(), cp932.size());
  const std::u16string& text = loaded.text;
  std::string utf8;
  EncodeMemoText(text.data(), text.size(), MemoEncoding::Utf8, utf8);

  MemoText memo;
  double decodeUtf8 = SecondsEach([&] {
    memo = DecodeMemoText(utf8.data(), utf8.size());
    Consume(memo.text.data());
  });
  bool sameText = memo.encoding == MemoEncoding::Utf8 && memo.verdict == MemoVerdict::Editable && memo.text == text;
  double decodeCp932 = SecondsEach([&] {
    memo = DecodeMemoText(cp932.data(), cp932.size());
    Consume(memo.text.data());
  });
  MemoEncoding detected = MemoEncoding::Utf8;
  double detectCp932 = SecondsEach([&] {
    detected = DetectMemoEncoding(cp932.data(), cp932.size());
    Consume(&detected);
  });
  // Latin-script UTF-8 that is CP932 text too, whose words are weighed to
  // the end.
  std::string latin;
  while (latin.size() + 64 < cp932.size()) latin += u8"Le café est très bon, naïve idée; über Größe.\r\n";
  MemoEncoding latinDetected = MemoEncoding::Cp932;
  double detectLatin = SecondsEach([&] {
    latinDetected = DetectMemoEncoding(latin.data(), latin.size());
    Consume(&latinDetected);
  });
  std::string saved;
  double encodeUtf8 = SecondsEach([&] {
    EncodeMemoText(text.data(), text.size(), MemoEncoding::Utf8, saved);
    Consume(saved.data());
  });
  double encodeCp932 = SecondsEach([&] {
    EncodeMemoText(text.data(), text.size(), MemoEncoding::Cp932, saved);
    Consume(saved.data());
  });
  std::printf("memo encodings, a pane of %zu bytes of CP932 text, %zu bytes in UTF-8%s:\n", cp932.size(), utf8.size(),
              sameText && detected == MemoEncoding::Cp932 ? "" : " (WRONG RESULT)");
  std::printf("  open: UTF-8 detected and decoded %6.1f us, CP932 detected and decoded %6.1f us, x%.2f (goal: well under 1 ms)\n",
              decodeUtf8 * 1e6, decodeCp932 * 1e6, decodeUtf8 / decodeCp932);
  std::printf("  detection alone on the CP932 memo %6.2f us, x%.3f of its open\n", detectCp932 * 1e6, detectCp932 / decodeCp932);
  std::printf("  detection of %zu bytes of Latin-script UTF-8 that read as CP932 too, words weighed: %6.1f us, x%.2f of the CP932 open%s\n",
              latin.size(), detectLatin * 1e6, detectLatin / decodeCp932, latinDetected == MemoEncoding::Utf8 ? "" : " (WRONG RESULT)");
  std::printf("  save: to UTF-8 %6.1f us, to CP932 %6.1f us, x%.2f\n", encodeUtf8 * 1e6, encodeCp932 * 1e6, encodeUtf8 / encodeCp932);

  // A save of the Unicode pane's text: an edit re-encodes only its own span,
  // side by side with an encode of the whole text.
  std::u16string edited = text;
  edited.insert(edited.size() / 2, u"追記");
  double span = SecondsEach([&] {
    ReencodeEdited(cp932, loaded, edited, saved);
    Consume(saved.data());
  });
  double whole = SecondsEach([&] {
    EncodeMemoText(edited.data(), edited.size(), MemoEncoding::Cp932, saved);
    Consume(saved.data());
  });
  std::printf(
      "  save of an edit in the middle: the edited span re-encoded %6.1f us, the whole text encoded %6.1f us, x%.2f (goal <= 1.2)\n",
      span * 1e6, whole * 1e6, span / whole);
}
