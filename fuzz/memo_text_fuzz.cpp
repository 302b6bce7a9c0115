// A memo file's bytes through the Unicode pane and back: an unedited text
// saves to the very bytes it came from, and an edit saves to bytes that read
// back as the edited text, every byte before and after the edit kept; the
// saved file's decoding made from the edit alone is the whole file's.
//
// Input: the file's bytes, then from the end backwards: where the edit
// starts, how many units it removes, and the units it inserts (byte pairs).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "Check.h"
#include "core/MemoText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  size_t at = input.ConsumeIntegral<uint16_t>();
  size_t removed = input.ConsumeIntegralInRange<size_t>(0, 4);
  std::string insertedBytes = input.ConsumeBytesAsString(2 * input.ConsumeIntegralInRange<size_t>(0, 4));
  std::string file = input.ConsumeRemainingBytesAsString();

  MemoText loaded = DecodeMemoText(file.data(), file.size());
  FUZZ_CHECK(loaded.offsets.size() == loaded.text.size() + 1);
  if (loaded.verdict != MemoVerdict::Editable) return 0;
  std::string saved;
  FUZZ_CHECK(ReencodeEdited(file, loaded, loaded.text, saved));
  FUZZ_CHECK(saved == file);

  // An edit of ASCII letters and CJK characters every encoding can hold.
  std::u16string inserted;
  for (size_t i = 0; i + 1 < insertedBytes.size(); i += 2)
    inserted += static_cast<char16_t>(insertedBytes[i] & 1 ? u'a' + (insertedBytes[i + 1] & 15) : 0x4E00 + (insertedBytes[i + 1] & 0xFF));
  std::u16string edited = loaded.text;
  at %= edited.size() + 1;
  edited.replace(at, removed, inserted);
  // An edit that parts a surrogate pair leaves a lone half, which UTF-8 writes as U+FFFD.
  for (size_t i = 0; i < edited.size(); ++i) {
    bool high = edited[i] >= 0xD800 && edited[i] <= 0xDBFF, low = edited[i] >= 0xDC00 && edited[i] <= 0xDFFF;
    bool paired = high ? i + 1 < edited.size() && edited[i + 1] >= 0xDC00 && edited[i + 1] <= 0xDFFF
                       : low && i > 0 && edited[i - 1] >= 0xD800 && edited[i - 1] <= 0xDBFF;
    if ((high || low) && !paired) return 0;
  }
  EditedSpan span;
  if (!ReencodeEdited(file, loaded, edited, saved, nullptr, &span)) return 0;
  MemoText reread = DecodeMemoText(saved.data(), saved.size());
  // A BOM-less UTF-8 file may read back as another encoding; the session adds a BOM then.
  if (reread.encoding != loaded.encoding) return 0;
  FUZZ_CHECK(reread.text == edited || reread.verdict != MemoVerdict::Editable);
  MemoText spliced = loaded;
  DecodeEdit(spliced, saved, span);
  FUZZ_CHECK(spliced.text == reread.text && spliced.offsets == reread.offsets && spliced.verdict == reread.verdict);
  return 0;
}
