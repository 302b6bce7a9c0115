// Detection of memos without a byte order mark measured on real text beyond
// the Japanese manual pages: Japanese message catalogues in CP932, as they are
// and with their katakana half-width, are never taken for UTF-8; the manual
// pages of other languages and the texts under /usr/share/doc, in UTF-8, are
// taken for UTF-8 at least 99% of the time where all their characters lie
// below U+0800 (the rest always is).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "core/Cp932Unicode.h"
#include "Iconv.h"
#include "core/MemoEncoding.h"
#include "TextCorpus.h"

namespace {

const char JapaneseCatalogues[] = "/usr/share/locale/ja/LC_MESSAGES";
const char ManPageRoot[] = "/usr/share/man";
const char DocRoot[] = "/usr/share/doc";
// Longer files would not fit the text pane, and make the test slow.
const size_t PaneLimit = 200000;

MemoEncoding Detect(const std::string& file) { return DetectMemoEncoding(file.data(), file.size()); }

// Manual pages in languages other than Japanese and English.
std::vector<std::string> OtherLanguagePages() {
  std::vector<std::string> paths;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(ManPageRoot, error)) {
    std::string name = entry.path().filename().string();
    if (name == "ja" || name.compare(0, 3, "man") == 0) continue;
    std::vector<std::string> pages = FilesUnder(entry.path().string());
    paths.insert(paths.end(), pages.begin(), pages.end());
  }
  return paths;
}

struct Utf8Corpus {
  const char* name;
  std::vector<std::string> paths;
  // Files outside ASCII with every character below U+0800 on a machine set up
  // by tools/setup.sh; the other languages' manual pages come from
  // manpages-de, -fr, -es, -pl and -ru.
  size_t fewestNarrow;
};

}  // namespace

TEST(BomlessCorpora, JapaneseMessagesInCp932AreNeverTakenForUtf8) {
  std::vector<std::string> paths = FilesUnder(JapaneseCatalogues, ".mo");
  ASSERT_GE(paths.size(), 20u) << "too few Japanese message catalogues under " << JapaneseCatalogues;
  Iconv toCp932("CP932", "UTF-8"), checkUtf8("UTF-8", "UTF-8");
  size_t messages = 0, wideReadings = 0;
  for (const std::string& path : paths) {
    std::string mo, catalogue[2], checked;
    ASSERT_TRUE(ReadText(path, mo)) << path;
    for (const std::string& message : CatalogueMessages(mo)) {
      for (bool halfWidth : {false, true}) {
        std::string cp932 = toCp932.ConvertDropping(halfWidth ? HalfWidthKatakana(message) : message);
        // Half-width katakana before a kanji may make a character of three
        // bytes ("ﾛｰﾙ一覧" reads as U+06F0 U+0648 U+A5D7), which settles UTF-8
        // before any word is weighed. Text as shipped never does.
        if (halfWidth && HasWideChar(cp932) && checkUtf8.Convert(cp932, checked)) {
          ++wideReadings;
          continue;
        }
        EXPECT_EQ(MemoEncoding::Cp932, Detect(cp932)) << path << ": " << message;
        catalogue[halfWidth] += cp932 + "\n";
        messages += !IsAscii(cp932);
      }
    }
    for (const std::string& whole : catalogue) EXPECT_EQ(MemoEncoding::Cp932, Detect(whole)) << path;
  }
  EXPECT_GT(messages, 40000u);
  EXPECT_LT(wideReadings, 5u);
}

TEST(BomlessCorpora, OtherLanguagesInUtf8AreTakenForUtf8) {
  const Utf8Corpus corpora[] = {
      {"manual pages in other languages", OtherLanguagePages(), 1000},
      {"texts under /usr/share/doc", FilesUnder(DocRoot), 300},
  };
  Iconv checkUtf8("UTF-8", "UTF-8");
  for (const Utf8Corpus& corpus : corpora) {
    SCOPED_TRACE(corpus.name);
    size_t narrow = 0, narrowUtf8 = 0, narrowCp932Text = 0, wide = 0;
    std::string text, checked;
    for (const std::string& path : corpus.paths) {
      MemoEncoding bom;
      bool isText = ReadText(path, text) && text.size() <= PaneLimit && text.find('\0') == std::string::npos &&
                    !StartsWithBom(text.data(), text.size(), bom) && checkUtf8.Convert(text, checked) && !IsAscii(text);
      if (!isText) continue;
      if (HasWideChar(text)) {
        ++wide;
        EXPECT_EQ(MemoEncoding::Utf8, Detect(text)) << path;
        continue;
      }
      bool utf8 = Detect(text) == MemoEncoding::Utf8;
      ++narrow;
      narrowUtf8 += utf8;
      Cp932Validator cp932;
      narrowCp932Text += cp932.Feed(text.data(), text.size()) && cp932.Finish();
      if (!utf8) std::printf("  taken for CP932: %s\n", path.c_str());
    }
    std::printf("%s: %zu of %zu with every character below U+0800 taken for UTF-8 (%zu of them CP932 text too); %zu with wider ones\n",
                corpus.name, narrowUtf8, narrow, narrowCp932Text, wide);
    EXPECT_GE(narrow, corpus.fewestNarrow) << "too few to measure on: run tools/setup.sh";
    EXPECT_GE(narrowUtf8 * 100, narrow * 99);
  }
}
