#include "Corpus.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "core/MemoText.h"

const char* const MissingKeyword = "ゼブラ模様";
const char* const PlantedKeyword = "棚卸し予定表";

namespace {

const int FolderCount = 5;
const int MemosPerFolder = 1000;
const size_t SmallestMemo = 170;
const size_t SizeOctaves = 8;  // so the largest memos reach about 43 KB

// splitmix64: tiny, and the same sequence everywhere, unlike the standard
// library's distributions.
class Rng {
public:
  explicit Rng(uint64_t seed) : state(seed) {}
  uint64_t Next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  size_t Below(size_t n) { return static_cast<size_t>(Next() % n); }

private:
  uint64_t state;
};

// Neither keyword's first character (ゼ, 棚) appears here, so only planting
// puts a keyword into a memo. ソ 表 能 ポ carry 5C and 7C as second bytes.
const char* const JapaneseWords[] = {
    "会議",     "予定",   "確認",   "資料",     "東京",     "大阪",   "ソフト", "表示", "機能",   "ポイント", "データ",
    "メモ",     "作業",   "連絡",   "今日",     "明日",     "来週",   "報告",   "設定", "変更",   "問題",     "対応",
    "検討",     "必要",   "時間",   "場所",     "電話",     "買い物", "牛乳",   "映画", "旅行",   "予算",     "申請",
    "書類",     "です。", "ます。", "しました", "について", "から",   "まで",   "こと", "ため",   "アイデア", "プロジェクト",
    "サーバー", "テスト", "バグ",   "修正",     "一覧表",   "能力",   "、",     "ﾒﾓ",   "（済）", "★",        "１２月"};
const char* const AsciiWords[] = {"meeting",
                                  "project",
                                  "TODO",
                                  "update",
                                  "report",
                                  "the",
                                  "and",
                                  "for",
                                  "with",
                                  "draft",
                                  "v2.1",
                                  "http://example.com/a?b=c",
                                  "C:\\work\\notes",
                                  "10:30",
                                  "#42",
                                  "OK",
                                  "x",
                                  "review",
                                  "deadline",
                                  "Tue",
                                  "budget",
                                  "fix",
                                  "|",
                                  "release",
                                  "a/b",
                                  "memo"};

template <size_t N>
const char* Pick(Rng& rng, const char* const (&words)[N]) {
  return words[rng.Below(N)];
}

// A planted keyword goes in between words, never inside a character.
std::string MakeLine(Rng& rng, const char* planted) {
  std::string line;
  size_t tokens = 2 + rng.Below(18);
  size_t plantAt = planted ? rng.Below(tokens) : tokens;
  for (size_t i = 0; i < tokens; ++i) {
    if (i == plantAt) {
      line += planted;
    } else if (rng.Below(2)) {
      line += Pick(rng, JapaneseWords);
    } else {
      if (!line.empty()) line += ' ';
      line += Pick(rng, AsciiWords);
    }
  }
  return line;
}

std::string MakeMemo(Rng& rng, bool plant) {
  // As many memos in each octave of sizes: small memos are many, large ones
  // hold most of the bytes. Integers only, so no C runtime's rounding shows.
  size_t octaveStart = SmallestMemo << rng.Below(SizeOctaves);
  size_t target = octaveStart + rng.Below(octaveStart);
  std::vector<std::string> lines;
  size_t size = 0;
  while (size < target) {
    lines.push_back(rng.Below(12) ? MakeLine(rng, nullptr) : std::string());
    size += lines.back().size() + 2;
  }
  if (plant) lines[rng.Below(lines.size())] = MakeLine(rng, PlantedKeyword);
  std::string memo;
  for (const std::string& line : lines) memo += line + "\r\n";
  return memo;
}

// The memo's bytes in the encoding picked for it; the pick has its own
// sequence, so every corpus holds the same texts.
std::string Encode(const std::string& memo, CorpusEncoding encoding, Rng& picks, Corpus& corpus) {
  if (encoding == CorpusEncoding::Cp932 || picks.Below(2) == 0) return memo;
  std::u16string text = DecodeMemoText(memo.data(), memo.size()).text;
  std::string utf8;
  EncodeMemoText(text.data(), text.size(), picks.Below(4) == 0 ? MemoEncoding::Utf8Bom : MemoEncoding::Utf8, utf8);
  ++corpus.utf8Memos;
  return utf8;
}

}  // namespace

std::string MakeLongMemo(size_t bytes) {
  Rng rng(19990101);
  std::string memo;
  while (memo.size() < bytes) memo += MakeLine(rng, nullptr) + "\r\n";
  return memo;
}

bool WriteCorpus(const std::string& root, Corpus& corpus, CorpusEncoding encoding) {
  Rng rng(20100401);
  Rng picks(20240601);
  corpus = Corpus();
  for (int f = 1; f <= FolderCount; ++f) {
    std::filesystem::path folder = std::filesystem::path(root) / ("folder" + std::to_string(f));
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return false;
    corpus.folders.push_back(folder.string());
    for (int m = 0; m < MemosPerFolder; ++m) {
      bool plant = rng.Below(10) == 0;
      std::string memo = Encode(MakeMemo(rng, plant), encoding, picks, corpus);
      std::string name = "memo" + std::to_string(m) + ".txt";
      std::FILE* file = std::fopen((folder / name).string().c_str(), "wb");
      if (!file) return false;
      bool written = std::fwrite(memo.data(), 1, memo.size(), file) == memo.size();
      if (std::fclose(file) != 0 || !written) return false;
      ++corpus.memoCount;
      corpus.totalBytes += memo.size();
      corpus.plantedMemos += plant;
    }
  }
  return true;
}
