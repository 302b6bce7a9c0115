// Detection and conversion on real Japanese text: every manual page of
// Debian's package manpages-ja, in UTF-8 as shipped and converted to CP932 by
// glibc, as it is and with its katakana half-width, each page whole and each
// of its lines as a memo of its own.
#include <gtest/gtest.h>

#include "Iconv.h"
#include "core/MemoEncoding.h"
#include "core/MemoText.h"
#include "TextCorpus.h"

namespace {

const char ManPageRoot[] = "/usr/share/man/ja";
// manpages-ja has over 900; a few other packages add some dozens.
const size_t FewestPages = 500;

struct ManPage {
  std::string path;
  std::string utf8;
  std::string cp932;           // characters with no CP932 form dropped
  std::string halfWidthCp932;  // the same with its katakana half-width
};

MemoEncoding Detect(const std::string& file) { return DetectMemoEncoding(file.data(), file.size()); }

class ManPages : public testing::Test {
protected:
  // Read once for all the tests; what went wrong, if anything, in problem.
  static void SetUpTestSuite() {
    std::vector<std::string> paths = FilesUnder(ManPageRoot, ".gz");
    if (paths.size() < FewestPages) {
      problem = "found " + std::to_string(paths.size()) + " Japanese manual pages under " + ManPageRoot +
                ", too few to test on: install Debian's package manpages-ja (tools/setup.sh does)";
      return;
    }
    Iconv checkUtf8("UTF-8", "UTF-8"), fromEucJp("UTF-8", "EUC-JP"), toCp932("CP932", "UTF-8");
    for (const std::string& path : paths) {
      ManPage page{path, "", "", ""};
      std::string raw, checked;
      if (!ReadText(path, raw)) {
        problem = "cannot read " + path;
        return;
      }
      // Older versions of the package shipped EUC-JP.
      if (checkUtf8.Convert(raw, checked)) {
        page.utf8 = raw;
      } else if (!fromEucJp.Convert(raw, page.utf8)) {
        problem = path + " is neither UTF-8 nor EUC-JP";
        return;
      }
      page.cp932 = toCp932.ConvertDropping(page.utf8);
      page.halfWidthCp932 = toCp932.ConvertDropping(HalfWidthKatakana(page.utf8));
      pages.push_back(std::move(page));
    }
  }

  static void TearDownTestSuite() { pages.clear(); }

  static std::vector<ManPage> pages;
  static std::string problem;
};

std::vector<ManPage> ManPages::pages;
std::string ManPages::problem;

}  // namespace

TEST_F(ManPages, Cp932PagesAndTheirLinesAreNeverTakenForUtf8) {
  ASSERT_EQ("", problem);
  // Half-width katakana is what CP932 text shares with UTF-8 below U+0800.
  for (std::string ManPage::*text : {&ManPage::cp932, &ManPage::halfWidthCp932}) {
    size_t lines = 0;
    for (const ManPage& page : pages) {
      EXPECT_EQ(MemoEncoding::Cp932, Detect(page.*text)) << page.path;
      for (const std::string& line : Lines(page.*text)) {
        EXPECT_EQ(MemoEncoding::Cp932, Detect(line)) << page.path << ": " << line;
        lines += !IsAscii(line);
      }
    }
    EXPECT_GT(lines, 100000u);
  }
}

TEST_F(ManPages, Utf8PagesAreTakenForUtf8) {
  ASSERT_EQ("", problem);
  for (const ManPage& page : pages)
    EXPECT_EQ(IsAscii(page.utf8) ? MemoEncoding::Cp932 : MemoEncoding::Utf8, Detect(page.utf8)) << page.path;
}

TEST_F(ManPages, Utf8PagesDecodeToTheirCp932FormAndBack) {
  ASSERT_EQ("", problem);
  size_t inCp932 = 0;
  for (const ManPage& page : pages) {
    MemoText memo = DecodeMemoText(page.utf8.data(), page.utf8.size());
    EXPECT_EQ(MemoVerdict::Editable, memo.verdict) << page.path;
    std::string saved;
    EXPECT_TRUE(EncodeMemoText(memo.text.data(), memo.text.size(), memo.encoding, saved)) << page.path;
    EXPECT_TRUE(saved == page.utf8) << page.path;
    // Where glibc dropped a character, the page has no CP932 form.
    if (!EncodeMemoText(memo.text.data(), memo.text.size(), MemoEncoding::Cp932, saved)) continue;
    ++inCp932;
    EXPECT_TRUE(saved == page.cp932) << page.path;
  }
  EXPECT_GT(inCp932, pages.size() / 2);
}

// Every page, as a memo in each encoding the pane edits, takes one more line
// and keeps every byte it had.
TEST_F(ManPages, EveryPageTakesALineAndKeepsItsBytes) {
  ASSERT_EQ("", problem);
  Iconv toUtf16("UTF-16LE", "UTF-8");
  const std::u16string line = u"\r\n追記した行";
  for (const ManPage& page : pages) {
    std::string utf16;
    ASSERT_TRUE(toUtf16.Convert(page.utf8, utf16)) << page.path;
    const struct {
      std::string bytes;
      MemoEncoding encoding;
    } memos[] = {{page.cp932, MemoEncoding::Cp932},
                 {"\xEF\xBB\xBF" + page.utf8, MemoEncoding::Utf8Bom},
                 {"\xFF\xFE" + utf16, MemoEncoding::Utf16LeBom}};
    for (const auto& memo : memos) {
      MemoText loaded = DecodeMemoText(memo.bytes.data(), memo.bytes.size());
      ASSERT_EQ(memo.encoding, loaded.encoding) << page.path;
      ASSERT_EQ(MemoVerdict::Editable, loaded.verdict) << page.path;
      std::string added, saved;
      EncodeMemoText(line.data(), line.size(), memo.encoding, added);
      ASSERT_TRUE(ReencodeEdited(memo.bytes, loaded, loaded.text + line, saved)) << page.path;
      EXPECT_TRUE(saved == memo.bytes + added.substr(BomLength(memo.encoding))) << page.path;
    }
  }
}
