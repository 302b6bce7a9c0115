// The memo scanner against the plain line reader of memos in any encoding. Each memo is scanned in
// memory and through a reader that hands it out in blocks of the sizes the
// input picks; one scanner reads both memos in turn, as it reads a folder.
//
// Input: the keyword, then the text of the two memos. From the end
// backwards: the keyword's length, the first memo's length, three block
// sizes (1-256) the reader uses in turn.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "Check.h"
#include "GuardedCopy.h"
#include "core/MemoScan.h"
#include "Reference.h"

namespace {

const size_t MaxKeywordLen = 32;
const size_t BlockSizeCount = 3;

class BlocksOfSizes : public BlockReader {
public:
  BlocksOfSizes(const char* data, size_t len, const std::vector<size_t>& sizes) : data(data), len(len), sizes(sizes) {}

  size_t Read(char* buf, size_t cap) override {
    size_t n = std::min({cap, sizes[reads++ % sizes.size()], len - pos});
    std::memcpy(buf, data + pos, n);
    pos += n;
    return n;
  }

  size_t pos = 0;

private:
  const char* data;
  size_t len;
  const std::vector<size_t>& sizes;
  size_t reads = 0;
};

// Where the reader stands once it has handed out the block holding byte at.
size_t EndOfBlockHolding(size_t at, const std::vector<size_t>& sizes, size_t len) {
  size_t end = 0;
  for (size_t read = 0; end <= at; ++read) end += sizes[read % sizes.size()];
  return std::min(end, len);
}

// The LF ending the first matching line, or npos when no line ended by an LF
// matches. A memo cut right after an LF holds the same lines up to there, and
// once such a cut matches every longer one does.
size_t FirstMatchingLineEnd(const std::string& memo, const std::string& keyword) {
  std::vector<size_t> lfs;
  for (size_t i = 0; i < memo.size(); ++i) {
    if (memo[i] == '\n') lfs.push_back(i);
  }
  auto first = std::partition_point(lfs.begin(), lfs.end(), [&](size_t lf) { return !RefScan(memo.substr(0, lf + 1), keyword); });
  return first == lfs.end() ? std::string::npos : *first;
}

// Where the first byte stands that shows the memo is no UTF-8, or npos. Until
// then the memo may be UTF-8, and the scanner must read on to know.
size_t FirstIllFormedUtf8(const std::string& memo) {
  for (size_t i = 0; i < memo.size();) {
    unsigned char b = static_cast<unsigned char>(memo[i]);
    size_t trail = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (b < 0x80) {
      ++i;
      continue;
    }
    if (b >= 0xC2 && b <= 0xDF) {
      trail = 1;
    } else if (b >= 0xE0 && b <= 0xEF) {
      trail = 2;
      if (b == 0xE0) low = 0xA0;
      if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      trail = 3;
      if (b == 0xF0) low = 0x90;
      if (b == 0xF4) high = 0x8F;
    } else {
      return i;
    }
    for (size_t k = 1; k <= trail; ++k) {
      if (i + k >= memo.size()) return std::string::npos;
      unsigned char c = static_cast<unsigned char>(memo[i + k]);
      if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return i + k;
    }
    i += trail + 1;
  }
  return std::string::npos;
}

bool StartsWithAnyBom(const std::string& memo) {
  return memo.compare(0, 3, "\xEF\xBB\xBF") == 0 || memo.compare(0, 2, "\xFF\xFE") == 0 || memo.compare(0, 2, "\xFE\xFF") == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  size_t keywordLen = input.ConsumeIntegralInRange<size_t>(0, MaxKeywordLen);
  size_t firstMemoLen = input.ConsumeIntegral<uint8_t>();
  std::vector<size_t> blockSizes;
  for (size_t i = 0; i < BlockSizeCount; ++i) blockSizes.push_back(input.ConsumeIntegralInRange<size_t>(1, 256));
  std::string keyword = CutAtNul(input.ConsumeBytesAsString(keywordLen));
  std::string text = input.ConsumeRemainingBytesAsString();
  firstMemoLen = std::min(firstMemoLen, text.size());
  const std::string memos[] = {text.substr(0, firstMemoLen), text.substr(firstMemoLen)};

  KeywordMatcher matcher(GuardedCString(keyword).data());
  MemoScanner scanner(matcher, nullptr);
  for (const std::string& memo : memos) {
    bool matches = RefScanMemo(memo, keyword);
    ScanResult expected = matches ? ScanResult::Match : ScanResult::NoMatch;
    GuardedCopy copy(memo);
    FUZZ_CHECK(ScanMemoBuffer(copy.data(), memo.size(), matcher, nullptr) == expected);

    BlocksOfSizes reader(copy.data(), memo.size(), blockSizes);
    FUZZ_CHECK(scanner.Scan(reader) == expected);
    // A CP932 memo that shows it is no UTF-8 before its first matching line
    // is read no further than the block holding that line. The scanner may
    // read further to see a byte order mark's length, and to see the first
    // byte that is no UTF-8 through the UTF-8 check, which judges 16-byte
    // pieces, the last bytes of one with the next.
    size_t lineEnd = matches && !StartsWithAnyBom(memo) ? FirstMatchingLineEnd(memo, keyword) : std::string::npos;
    size_t illFormed = FirstIllFormedUtf8(memo);
    if (lineEnd != std::string::npos && illFormed <= lineEnd) {
      size_t shown = std::max({lineEnd, size_t{2}, (illFormed / 16 + 2) * 16 - 1});
      FUZZ_CHECK(reader.pos <= EndOfBlockHolding(shown, blockSizes, memo.size()));
    }
  }
  return 0;
}
