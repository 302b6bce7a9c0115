// Memo names code page 932 cannot spell, through the real panel: each is
// listed, opened, saved, searched, renamed and deleted as itself, beside the
// name it looks like, and opening never makes a file.
#include <algorithm>

#include "OperationsFixture.h"
#include "SearchTestSupport.h"
#include "core/NameText.h"
#include "store/MemoFile.h"
#include "store/MemoListing.h"

namespace {

std::wstring Wide(const std::string& utf8) {
  std::u16string wide = Utf16FromUtf8(utf8);
  return std::wstring(wide.begin(), wide.end());
}

std::string Utf8(const wchar_t* text) { return Utf8FromUtf16(reinterpret_cast<const char16_t*>(text), wcslen(text)); }

// Files and their bytes through the store, whose own tests hold it to them.
std::string ReadNamed(const std::string& path) {
  std::string bytes;
  MemoFileStamp stamp;
  return LoadMemoFile(PlatformMemoFileOps(), path.c_str(), bytes, stamp) == MemoLoadResult::Loaded ? bytes : "(missing)";
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  ForEachMemoFile(PlatformMemoFileOps(), (folder + "\\").c_str(),
                  [&](const char* name, MemoFileType, const ListedStamp&) { names.push_back(name); });
  return Sorted(names);
}

// The titles as the list answers a screen reader, in UTF-16.
std::vector<std::string> ListTitles(HWND list) {
  std::vector<std::string> titles;
  int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = L"";
    LVITEMW item = {};
    item.pszText = text;
    item.cchTextMax = 256;
    ::SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    titles.push_back(Utf8(text));
  }
  return Sorted(titles);
}

std::string WindowTextOf(HWND window) {
  wchar_t text[512] = L"";
  ::GetWindowTextW(window, text, 512);
  return Utf8(text);
}

// Named here: a macro's argument is also its message, in code page 932.
const std::string cafe = u8"café", emoji = u8"😀メモ", hangul = u8"한글", party = u8"🎉メモ";

typedef OperationsTest UnicodeNames;

TEST_F(UnicodeNames, EachMemoIsItselfFromListToDelete) {
  const struct { std::string title, text; } memos[] = {{cafe, "accent"}, {"cafe", "plain"}, {emoji, "emoji"}, {hangul, "hangul"}};
  MemoFileStamp stamp;
  for (const auto& memo : memos)
    ASSERT_TRUE(CreateMemoFile(PlatformMemoFileOps(), MemoPath(memo.title + ".txt").c_str(), memo.text, stamp));
  Relist();
  EXPECT_EQ(Sorted({cafe, "cafe", emoji, hangul}), ListTitles(harness.List()));
  for (const auto& memo : memos) {
    ASSERT_TRUE(harness.Select(memo.title));
    EXPECT_EQ(memo.title, harness.OpenTitle());
    EXPECT_EQ(memo.title, WindowTextOf(harness.Item(IDC_PANEL_TITLE)));
    EXPECT_EQ(memo.text, PaneText());
  }
  EXPECT_EQ(Sorted({cafe + ".txt", "cafe.txt", emoji + ".txt", hangul + ".txt"}), FilesIn(harness.Folder1()));

  ASSERT_TRUE(harness.Select(cafe));
  TypeIntoPane("accent edited");
  ASSERT_TRUE(harness.Select("cafe"));
  EXPECT_EQ("accent edited", ReadNamed(MemoPath(cafe + ".txt")));
  // The host shows code page 932: the name in the form Windows gives it there.
  char shown[32] = "";
  ::WideCharToMultiByte(932, 0, L"caf\u00e9.txt", -1, shown, sizeof(shown), NULL, NULL);
  EXPECT_EQ(std::vector<std::string>{std::string("[ﾒﾓﾌｫﾙﾀﾞ:1] ") + shown}, SearchResults(harness.tool, "edited"));

  ASSERT_TRUE(harness.Select(emoji));
  Answering({[](HWND dialog) {
              ::SetDlgItemTextW(dialog, IDC_MEMO_NAME_TITLE, Wide(party).c_str());
              PressDialogButton(dialog, IDOK);
            }},
            [this] { ::SendMessageA(harness.List(), WM_KEYDOWN, VK_F2, 0); });
  EXPECT_EQ("emoji", ReadNamed(MemoPath(party + ".txt")));
  EXPECT_EQ(party, WindowTextOf(harness.Item(IDC_PANEL_TITLE)));

  ASSERT_TRUE(harness.Select(cafe));
  // Whether Wine's bin takes a name varies: one with no bin asks both times.
  FaultyFileOps noBin;
  noBin.noRecycleBin = true;
  harness.OnPanelThread([&] { Panel()->UseFileOps(noBin); });
  ClickAnswering(IDC_PANEL_DELETE, {Press(IDYES), Press(IDYES)});
  harness.OnPanelThread([this] { Panel()->UseFileOps(PlatformMemoFileOps()); });
  EXPECT_EQ(Sorted({"cafe.txt", party + ".txt", hangul + ".txt"}), FilesIn(harness.Folder1()));
  EXPECT_EQ("plain", ReadNamed(MemoPath("cafe.txt")));
}

}  // namespace
