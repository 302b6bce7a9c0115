// Any bytes taken as a memo file: detection and decoding never fail, a memo
// found editable saves back to exactly its bytes, and detection of a file
// without a byte order mark agrees with the plain character walk of the rule
// and with itself fed in pieces.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "BomlessDetector.h"
#include "MemoEncoding.h"
#include "Reference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  DecodedMemo memo = DecodeMemo(bytes, size);
  MemoEncoding detected = DetectMemoEncoding(bytes, size);
  if (detected != memo.encoding) abort();

  if (memo.verdict == MemoVerdict::Editable) {
    std::string saved;
    if (!EncodeMemo(memo.paneText.data(), memo.paneText.size(), memo.encoding, saved)) abort();
    if (saved != std::string(bytes, size)) abort();
  }

  if (detected == MemoEncoding::Cp932 || detected == MemoEncoding::Utf8) {
    if (RefBomlessIsUtf8(std::string(bytes, size)) != (detected == MemoEncoding::Utf8)) abort();
    BomlessDetector detector;
    const size_t piece = size > 0 ? 1 + data[0] % 23 : 1;
    for (size_t at = 0; at < size; at += piece) detector.Feed(bytes + at, size - at < piece ? size - at : piece);
    if (detector.FinishIsUtf8() != (detected == MemoEncoding::Utf8)) abort();
  }
  return 0;
}
