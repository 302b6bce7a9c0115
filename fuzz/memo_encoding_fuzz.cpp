// Any bytes taken as a memo file: detection and decoding never fail, a memo
// found editable encodes back to exactly its bytes (unless it holds NEC or
// IBM duplicate codes, which a whole encode writes as Windows would), and
// detection of a file without a byte order mark agrees with the plain
// character walk of the rule and with itself fed in pieces.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/BomlessDetector.h"
#include "Check.h"
#include "core/MemoText.h"
#include "Reference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  MemoText memo = DecodeMemoText(bytes, size);
  MemoEncoding detected = DetectMemoEncoding(bytes, size);
  FUZZ_CHECK(detected == memo.encoding);

  if (memo.verdict == MemoVerdict::Editable) {
    std::string saved;
    FUZZ_CHECK(EncodeMemoText(memo.text.data(), memo.text.size(), memo.encoding, saved));
    FUZZ_CHECK(saved == std::string(bytes, size) || !memo.fileForms.empty());
  }

  if (detected == MemoEncoding::Cp932 || detected == MemoEncoding::Utf8) {
    FUZZ_CHECK(RefBomlessIsUtf8(std::string(bytes, size)) == (detected == MemoEncoding::Utf8));
    BomlessDetector detector;
    const size_t piece = size > 0 ? 1 + data[0] % 23 : 1;
    for (size_t at = 0; at < size; at += piece) detector.Feed(bytes + at, size - at < piece ? size - at : piece);
    FUZZ_CHECK(detector.FinishIsUtf8() == (detected == MemoEncoding::Utf8));
  }
  return 0;
}
