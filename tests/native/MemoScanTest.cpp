#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include "GuardedText.h"
#include "MemoFiles.h"
#include "core/MemoScan.h"
#include "core/MemoText.h"
#include "Reference.h"

using namespace std::string_literals;

namespace {

const size_t Whole = static_cast<size_t>(-1);

// Hands the file out in blocks of the given sizes, used in turn, and tells
// onRead the number of each read.
class ChunkReader : public BlockReader {
public:
  ChunkReader(
      const std::string& bytes, std::vector<size_t> pieces, std::function<void(int)> afterRead = [](int) {})
      : data(bytes), sizes(std::move(pieces)), onRead(std::move(afterRead)) {}

  size_t Read(char* buf, size_t cap) override {
    size_t n = std::min({cap, sizes[reads % sizes.size()], data.size() - pos});
    std::memcpy(buf, data.data() + pos, n);
    pos += n;
    onRead(++reads);
    return n;
  }

  size_t pos = 0;

private:
  std::string data;
  std::vector<size_t> sizes;
  std::function<void(int)> onRead;
  int reads = 0;
};

ScanResult ScanInBlocks(const std::string& file, const char* keyword, std::vector<size_t> sizes) {
  KeywordMatcher matcher(keyword);
  ChunkReader reader(file, std::move(sizes));
  return MemoScanner(matcher, nullptr).Scan(reader);
}

struct MemoCase {
  std::string file;
  const char* keyword;
  bool matches;
};

// The plain walk, the scan of the memo in memory and the scans of it read in
// blocks of a few sizes all agree with the case.
void ExpectScan(const MemoCase& c) {
  SCOPED_TRACE(testing::PrintToString(c.file) + " / " + c.keyword);
  ASSERT_EQ(c.matches, RefScanMemo(c.file, c.keyword));
  ScanResult expected = c.matches ? ScanResult::Match : ScanResult::NoMatch;
  KeywordMatcher matcher(c.keyword);
  GuardedText guarded(c.file);
  EXPECT_EQ(expected, ScanMemoBuffer(guarded.data(), guarded.size(), matcher, nullptr));
  for (size_t block : {size_t(1), size_t(2), size_t(3), size_t(16), Whole})
    EXPECT_EQ(expected, ScanInBlocks(c.file, c.keyword, {block})) << block;
}

}  // namespace

TEST(MemoScan, ReadsLinesLikeTextModeReader) {
  struct Case {
    std::string file;
    const char* keyword;
    bool matches;
  } cases[] = {
      {"abc\r\nxyz\r\n", "xyz", true},
      {"ab\rcd\n", "b\rc", true},  // a lone CR stays
      {"ab\r\n", "b\r", false},
      {"a\r\r\n", "a\r", true},
      {"ab\r", "b\r", true},
      {"abc\x1Axyz\n", "xyz", false},
      {"ab\x1A"
       "cd",
       "ab", true},
      {"ab\x1A"
       "cd",
       "b\x1A"
       "c",
       false},
      {"ab\0cd\n"s, "cd", false},  // NUL hides the rest
      {"ab\0cd\ncd\n"s, "cd", true},
      {"ab\0cd\n"s, "ab", true},
      {"\0abc\n"s, "", false},
      {"\r\n\n", "", false},
      {"x", "", true},  // empty lines skipped
      {"\x83\r\n\\z\n", "\\", true},
      {"\x83\n\\", "\\", true},  // lead byte ends a line alone
      {"\x83\\z\n", "\\", false},
      {"\x83\\z\n", "\x83\\", true},
      {"a\x83|b\r\n", "|b", false},
      {"foo\nbar\n", "o\nb", false},
      {"x\nfoo\n", "zz foo", true},
      {"x\nfoo\n", "zz foo ", true},
      {"\n\r\n", "zz foo ", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.file) + " / " + c.keyword);
    ASSERT_EQ(c.matches, RefScan(c.file, c.keyword));
    ScanResult expected = c.matches ? ScanResult::Match : ScanResult::NoMatch;
    KeywordMatcher matcher(c.keyword);
    EXPECT_EQ(expected, ScanMemoBuffer(c.file.data(), c.file.size(), matcher, nullptr));
    for (size_t block : {size_t(1), size_t(2), size_t(3), Whole}) EXPECT_EQ(expected, ScanInBlocks(c.file, c.keyword, {block})) << block;
  }
}

TEST(MemoScan, LinesLongerThanAnyBlock) {
  std::string head(65533, 'x');  // the word straddles the first 64 KiB block
  std::string tail(200000, 'y');
  struct Case {
    std::string file;
    const char* keyword;
    bool matches;
  } cases[] = {
      {head + "needle" + tail, "needle", true},
      {head + "needl" + tail + "\nneedle", "needle", true},
      {head + "\x83\x5Cneedle" + tail, "\\needle", false},
      {tail + "\n" + head + "\\needle", "\\needle", true},
  };
  for (const Case& c : cases) {
    for (const std::vector<size_t>& sizes : {std::vector<size_t>{Whole}, {4093, 17}})
      EXPECT_EQ(c.matches ? ScanResult::Match : ScanResult::NoMatch, ScanInBlocks(c.file, c.keyword, sizes));
  }
}

TEST(MemoScan, StopsReadingAtFirstMatchingLine) {
  ChunkReader reader("hit\n" + std::string(10000, 'z'), {16});
  KeywordMatcher matcher("hit");
  EXPECT_EQ(ScanResult::Match, MemoScanner(matcher, nullptr).Scan(reader));
  EXPECT_EQ(16u, reader.pos);
}

TEST(MemoScan, StopFlag) {
  volatile int stop = 1;
  KeywordMatcher any("");
  EXPECT_EQ(ScanResult::Stopped, ScanMemoBuffer("a\n", 2, any, &stop));
  ChunkReader untouched("a\n", {Whole});
  EXPECT_EQ(ScanResult::Stopped, MemoScanner(any, &stop).Scan(untouched));
  EXPECT_EQ(0u, untouched.pos);

  // One keyword takes the block path, the other the line-by-line path. The
  // fifth read brings the end of the matching line, so the flag set then is
  // seen only by the check made before each line.
  for (const char* keyword : {"hit", "hit\r"}) {
    KeywordMatcher matcher(keyword);
    for (int stopAtRead : {0, 2, 5}) {
      stop = 0;
      ChunkReader reader("no\nno\nno\nhit\rx\n", {3}, [&](int read) {
        if (read == stopAtRead) stop = 1;
      });
      EXPECT_EQ(stopAtRead ? ScanResult::Stopped : ScanResult::Match, MemoScanner(matcher, &stop).Scan(reader))
          << keyword << " " << stopAtRead;
    }
  }
}

// A memo held in memory, as the search keeps it, with a page in its middle
// unreadable: the scan's first touch of it sets the stop flag, as the host's
// thread may at any time.
class TrippedMemo {
public:
  explicit TrippedMemo(const std::string& text) : size(text.size()) {
    page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    mapping = static_cast<char*>(mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    std::memcpy(mapping, text.data(), size);
    trip = mapping + (size / 2) / page * page;
    mprotect(trip, page, PROT_NONE);
    current = this;
    struct sigaction action = {};
    action.sa_sigaction = OnFault;
    action.sa_flags = SA_SIGINFO;
    sigaction(SIGSEGV, &action, &previous);
  }
  ~TrippedMemo() {
    sigaction(SIGSEGV, &previous, nullptr);
    munmap(mapping, size);
  }
  const char* data() const { return mapping; }

  volatile int stop = 0;

private:
  static void OnFault(int, siginfo_t* info, void*) {
    TrippedMemo* self = current;
    char* at = static_cast<char*>(info->si_addr);
    if (at < self->trip || at >= self->trip + self->page) abort();
    self->stop = 1;
    mprotect(self->trip, self->page, PROT_READ);
  }

  static TrippedMemo* current;
  struct sigaction previous;
  size_t size, page;
  char *mapping, *trip;
};
TrippedMemo* TrippedMemo::current;

// Seen only by the checks made as the scan goes, line by line: without them
// the scan would end with no match.
TEST(MemoScan, AFlagSetInTheMiddleOfAMemoInMemoryStopsItsScan) {
  // Each line holds the word where a NUL hides it, so that the block path
  // checks the flag on every line too, at each copy of the word.
  std::string text;
  while (text.size() < 200000) text += "text\0hit\r\n"s;
  for (const char* keyword : {"hit", "hit\r"}) {
    TrippedMemo memo(text);
    KeywordMatcher matcher(keyword);
    EXPECT_EQ(ScanResult::Stopped, ScanMemoView(ScanView{memo.data(), text.size(), false}, matcher, &memo.stop)) << keyword;
  }
}

TEST(MemoScan, AgreesWithLineReader) {
  std::mt19937 rng(11);
  for (int round = 0; round < 1500; ++round) {
    std::string files[3];
    for (std::string& file : files) file = RandomCp932(rng, rng() % 120, true);
    const std::string& source = files[rng() % 3];
    size_t from = source.empty() ? 0 : rng() % source.size();
    std::string keyword = source.substr(from, 1 + rng() % 6);
    if (rng() % 4 == 0) keyword += " " + RandomCp932(rng, 2, false);
    keyword = keyword.substr(0, keyword.find('\0'));
    KeywordMatcher matcher(keyword.c_str());
    MemoScanner scanner(matcher, nullptr);  // one buffer for all three files
    for (const std::string& file : files) {
      ScanResult expected = RefScan(file, keyword) ? ScanResult::Match : ScanResult::NoMatch;
      GuardedText guarded(file);
      EXPECT_EQ(expected, ScanMemoBuffer(guarded.data(), guarded.size(), matcher, nullptr))
          << testing::PrintToString(file) << " / " << testing::PrintToString(keyword);
      ChunkReader reader(file, {1 + rng() % 7, 1 + rng() % 70});
      EXPECT_EQ(expected, scanner.Scan(reader));
    }
  }
}

TEST(MemoScan, SearchesEachMemoInItsOwnEncoding) {
  const MemoCase cases[] = {
      {u8"設定ファイルの場所\r\n", "ファイル", true},
      {WithUtf8Bom(u8"設定ファイル\r\n"), "ファイル", true},
      {Utf16File(u"設定ファイル\r\n", false), "ファイル", true},
      {Utf16File(u"設定ファイル\r\n", true), "ファイル", true},
      {"設定ファイル\r\n", "ファイル", true},
      // わ\ and ゃ\ hold 8F 5C and 83 5C, the CP932 bytes of 十 and ソ.
      {u8"わ\\ゃ\\\r\n", "十 ソ", false},
      {WithUtf8Bom(u8"わ\\ゃ\\\r\n"), "十 ソ", false},
      {u8"わ\\ゃ\\\r\n十\r\n", "十 ソ", true},
      {u8"メモ\r\nabc\r\n", "xyz abc", true},
      {u8"メモ\r\nabc\r\n", "xyz メモ", true},
      {Utf16File(u"メモ\nabc\n", false), "xyz abc", true},
      {u8"メモ\r\n", "xyz", false},
      {u8"メモ\r\n", "メモ ", true},  // the empty word
      {u8"\r\n\n", "メモ ", false},
      // NEC and IBM codes find their character.
      {u8"約≒10\r\n", "\x87\x90", true},
      {u8"ⅰ\r\n", "\xEE\xEF", true},
      // A word with bytes that are no CP932 character finds nothing here.
      {u8"メモ\r\n", "\x83", false},
      {u8"メモ\r\n", "\x83 メ", true},
      {u8"メモ\x1A"
       u8"ファイル",
       "ファイル", false},
      {Utf16File(u"メモ\x1Aファイル", true), "ファイル", false},
      {u8"メ\0ファイル\r\nメモ"s, "ファイル", false},
      {Utf16File(u"メ\0ファイル\r\n"s, false), "ファイル", false},
      {Utf16File(u"メモ\r\n", false) + "x", "メモ", true},
      // ﾗｲ in CP932 is also UTF-8 (a Hebrew letter), and CP932 it stays;
      // "café" is CP932 text too ("cafﾃｩ"), and UTF-8 it is.
      {"ﾗｲ\r\n", "ﾗｲ", true},
      {u8"ﾗｲ\r\n", "ﾗｲ", true},
      {u8"café\r\n", "caf", true},
      {u8"café\r\n", "cafﾃｩ", false},
      // UTF-8 up to a byte that shows the memo is CP932.
      {u8"ファイル\r\n" + std::string(100, 'x') + "\r\nソ", "ソ", true},
      {u8"ファイル\r\n" + std::string(100, 'x') + "\r\nソ", "ファイル", false},
      {u8"ファイル\r\n\x1A\x83", "ファイル", false},
      {u8"ファイル\r\n\x1A" + std::string(100, 'x') + u8"の", "ファイル", true},
  };
  for (const MemoCase& c : cases) ExpectScan(c);
}

TEST(MemoScan, FindsBothFormsOfCharactersWindowsDecodesOtherwise) {
  // Keywords in CP932: 〜 81 60, − 81 7C, ‖ 81 61, ― 81 5C, ￠ 81 91, ￡ 81 92,
  // ￢ 81 CA. Memos with U+301C, U+2212, U+2016, U+2014, U+00A2, U+00A3,
  // U+00AC, as most systems but Windows write them, or with the Windows forms.
  const MemoCase cases[] = {
      {u8"Mo\u301CSu\r\n", "\x81\x60", true},
      {u8"Mo\uFF5ESu\r\n", "\x81\x60", true},
      {WithUtf8Bom(u8"Mo\u301CSu\r\n"), "Mo\x81\x60", true},
      {Utf16File(u"Mo\u301CSu\r\n", false), "\x81\x60Su", true},
      {Utf16File(u"Mo\u301CSu\r\n", true), "Mo\x81\x60Su", true},
      {u8"Su\uFF5ESu\r\n", "\x81\x60Su", true},  // the first Su has nothing before it
      {u8"Mo\u301CSa\r\n", "Mo\x81\x60Su", false},
      {u8"x\u2212y\r\n", "x\x81\x7Cy", true},
      {Utf16File(u"x\u2212y\r\n", true), "x\x81\x7Cy", true},
      {u8"x-y\r\n", "x\x81\x7Cy", false},
      {u8"\u2016\u2014\r\n", "\x81\x61\x81\x5C", true},
      {u8"\u2016\u2015\r\n", "\x81\x61\x81\x5C", true},
      {WithUtf8Bom(u8"\u00A2\u00A3\u00AC\r\n"), "\x81\x91\x81\x92\x81\xCA", true},
      {Utf16File(u"\uFFE0\u00A3\uFFE2\r\n", false), "\x81\x91\x81\x92\x81\xCA", true},
      {u8"\u00A2s\r\n", "\x81\x91s", true},  // without a byte order mark, UTF-8 by its words
      // Each form alone on its line; a NUL hides what follows it.
      {u8"\u301C\r\n\u301C\u301C\r\n", "\x81\x60\x81\x60", true},
      {u8"\u301C\r\n\uFF5E\r\n", "\x81\x60\x81\x60", false},
      {u8"x\0\u301C\r\n"s, "\x81\x60", false},
      {u8"x\0\u301C\r\n\uFF5E"s, "\x81\x60", true},
      // A word with a CR is matched line by line.
      {u8"a\r\u301C\n", "a\r\x81\x60", true},
      // The keyword's other words, and a line with no such character.
      {u8"\u301C\r\n", "abc \x81\x60", true},
      {u8"abc\r\n", "\x81\x60 abc", true},
      {u8"\u3000\r\n", "\x81\x60", false},
      // CP932 memos hold one form only, and search as they did.
      {"Mo\x81\x60Su\r\n", "\x81\x60", true},
      {"a-b\r\n", "\x81\x7C", false},
  };
  for (const MemoCase& c : cases) ExpectScan(c);
}

TEST(MemoScan, ReadsOnOnlyWhileTheEncodingDecides) {
  const std::string rest = "\n" + std::string(10000, 'z');
  struct Case {
    std::string file;
    const char* keyword;
    bool matches;
    size_t read;  // bytes read when the scan ends, in blocks of 16; 0 for all
  } cases[] = {
      {"hit" + rest, "hit", true, 16},
      {"メモ" + rest, "メモ", true, 16},
      {WithUtf8Bom(u8"メモ") + rest, "メモ", true, 16},
      {Utf16File(u"メモ\n", false) + rest, "メモ", true, 32},
      // A memo that may be UTF-8 is known only at its end.
      {u8"メモhit" + rest, "hit", true, 0},
      {u8"メモ" + rest, "メモ", true, 0},
      {u8"メモ" + rest + "\x83", "メモ", false, 0},
      {u8"わ\\" + rest, "十", false, 0},
      {u8"わ\\\n" + std::string(40, 'z') + "\x83" + rest, "十", true, 48},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.file.substr(0, 20)) + " / " + c.keyword);
    KeywordMatcher matcher(c.keyword);
    ChunkReader reader(c.file, {16});
    EXPECT_EQ(c.matches ? ScanResult::Match : ScanResult::NoMatch, MemoScanner(matcher, nullptr).Scan(reader));
    EXPECT_EQ(c.read ? c.read : c.file.size(), reader.pos);
  }
}

TEST(MemoScan, MemosThatMayBeUtf8PastTheirWaitingLimit) {
  // Past a megabyte, lines stop waiting for the encoding and are searched in
  // both readings.
  std::string lines;
  while (lines.size() < 1200000) lines += u8"あいうえお、かきくけこ。\r\n";
  struct Case {
    std::string file;
    const char* keyword;
    bool matches;
  } cases[] = {
      {lines + u8"ファイル\r\n", "ファイル", true}, {lines + u8"ファイル\r\n\x83", "ファイル", false},
      {u8"わ\\\r\n" + lines, "十", false},          {u8"わ\\\r\n" + lines + "\x83", "十", true},
      {lines + u8"わ\\\r\n\x83", "十", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.file.substr(c.file.size() - 20)) + " / " + c.keyword);
    ASSERT_EQ(c.matches, RefScanMemo(c.file, c.keyword));
    for (const std::vector<size_t>& sizes : {std::vector<size_t>{Whole}, {4093, 17}})
      EXPECT_EQ(c.matches ? ScanResult::Match : ScanResult::NoMatch, ScanInBlocks(c.file, c.keyword, sizes));
  }
}

TEST(MemoScan, AgreesWithReferenceInEveryEncoding) {
  std::mt19937 rng(13);
  for (int round = 0; round < 1500; ++round) {
    std::string files[3];
    for (std::string& file : files) file = RandomMemoFile(rng, rng() % 120);
    // A piece of one memo's text in CP932 (a CP932 memo's own bytes), often
    // cut inside a character, or words made of the characters the memos hold.
    std::string keyword = RandomKeyword(rng);
    if (rng() % 2) {
      const std::string& source = files[rng() % 3];
      MemoText memo = DecodeMemoText(source.data(), source.size());
      std::string cp932 = source;
      if (memo.encoding != MemoEncoding::Cp932) EncodeMemoText(memo.text.data(), memo.text.size(), MemoEncoding::Cp932, cp932);
      size_t from = cp932.empty() ? 0 : rng() % cp932.size();
      keyword = cp932.substr(from, 1 + rng() % 6);
    }
    keyword = keyword.substr(0, keyword.find('\0'));
    KeywordMatcher matcher(keyword.c_str());
    MemoScanner scanner(matcher, nullptr);  // one buffer for all three files
    for (const std::string& file : files) {
      ScanResult expected = RefScanMemo(file, keyword) ? ScanResult::Match : ScanResult::NoMatch;
      GuardedText guarded(file);
      EXPECT_EQ(expected, ScanMemoBuffer(guarded.data(), guarded.size(), matcher, nullptr))
          << testing::PrintToString(file) << " / " << testing::PrintToString(keyword);
      ChunkReader reader(file, {1 + rng() % 7, 1 + rng() % 70});
      EXPECT_EQ(expected, scanner.Scan(reader)) << testing::PrintToString(file) << " / " << testing::PrintToString(keyword);
    }
  }
}
