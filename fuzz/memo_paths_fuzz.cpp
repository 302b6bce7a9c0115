// Path forming against plain concatenation, within Windows' plain path, and
// the final byte, with output buffers of outSize bytes guarded at their end,
// so that a write past outSize is an AddressSanitizer report. outSize lies within a
// few bytes of what the path needs, where fitting turns to not fitting.
//
// Input: the folder, the title, then the extension (each up to its first
// NUL). From the end backwards: the folder's and the title's lengths, and
// outSize less the bytes the path with its terminator needs (-4 to 3).
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "Check.h"
#include "GuardedCopy.h"
#include "core/MemoPaths.h"
#include "core/NameText.h"

namespace {

bool RefEndsWithBackslash(const std::string& path) { return !path.empty() && path.back() == '\\'; }

// Output bytes with no terminator among them, so that a result without one shows.
std::string Unterminated(size_t outSize) { return std::string(outSize, '#'); }

size_t OutSizeFor(const std::string& expected, int slack) { return static_cast<size_t>(std::max(0, int(expected.size()) + 1 + slack)); }

void CheckFormed(bool formed, const char* out, size_t outSize, const std::string& expected) {
  FUZZ_CHECK(formed == (expected.size() < outSize && Utf16FromUtf8(expected).size() < PlainPathUnits));
  if (outSize == 0) return;
  FUZZ_CHECK(std::memchr(out, '\0', outSize) != nullptr);
  FUZZ_CHECK(out == (formed ? expected : ""));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  size_t folderLen = input.ConsumeIntegral<uint8_t>();
  size_t titleLen = input.ConsumeIntegral<uint8_t>();
  int slack = input.ConsumeIntegralInRange<int>(-4, 3);
  std::string folder = CutAtNul(input.ConsumeBytesAsString(folderLen));
  std::string title = CutAtNul(input.ConsumeBytesAsString(titleLen));
  std::string extension = CutAtNul(input.ConsumeRemainingBytesAsString());
  GuardedCopy folderCopy = GuardedCString(folder);
  GuardedCopy titleCopy = GuardedCString(title);
  GuardedCopy extensionCopy = GuardedCString(extension);

  bool endsWithBackslash = RefEndsWithBackslash(folder);
  FUZZ_CHECK(EndsWithBackslash(folderCopy.data()) == endsWithBackslash);

  std::string folderPath = endsWithBackslash ? folder : folder + "\\";
  size_t outSize = OutSizeFor(folderPath, slack);
  GuardedCopy folderOut(Unterminated(outSize));
  CheckFormed(FormMemoFolderPath(folderCopy.data(), folderOut.data(), outSize), folderOut.data(), outSize, folderPath);

  std::string filePath = folder + title + extension;
  outSize = OutSizeFor(filePath, slack);
  GuardedCopy fileOut(Unterminated(outSize));
  CheckFormed(FormMemoFilePath(folderCopy.data(), titleCopy.data(), extensionCopy.data(), fileOut.data(), outSize), fileOut.data(), outSize,
              filePath);
  return 0;
}
