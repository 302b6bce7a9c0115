// Memos in UTF-8 and UTF-16 through the real panel: shown in the pane,
// edited, and written back in their own encoding with the byte order mark as
// found; memos the pane cannot hold faithfully open read-only and are never
// written. The core's code page 932 table agrees with this system's own.
#include <gtest/gtest.h>

#include <string>

#include "core/Cp932Unicode.h"
#include "core/MemoText.h"
#include "MemoPanel.h"
#include "framework/WideText.h"
#include "SearchTestSupport.h"

namespace {

std::string Utf8(const char* text) { return text; }

std::string Utf16(const std::u16string& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) {
    char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

TEST(Encoding, UnicodeMemosAreEditedAndSavedInTheirOwnEncoding) {
  const std::string bom = "\xEF\xBB\xBF";
  const struct {
    const char* title;
    std::string before;
    std::string after;
  } cases[] = {
      {"utf8 bom", bom + Utf8(u8"日本語 UTF-8 メモ"), bom + Utf8(u8"日本語 UTF-8 メモ 追加")},
      {"utf8", Utf8(u8"日本語 UTF-8 メモ\r\n①≒"), Utf8(u8"日本語 UTF-8 メモ\r\n①≒ 追加")},
      {"utf16le", Utf16(u"日本語 UTF-16 メモ", false), Utf16(u"日本語 UTF-16 メモ 追加", false)},
      {"utf16be", Utf16(u"日本語 UTF-16 メモ", true), Utf16(u"日本語 UTF-16 メモ 追加", true)},
      // Characters code page 932 lacks are the pane's too.
      {"emoji", Utf8(u8"日本語 UTF-8 😀 のメモ"), Utf8(u8"日本語 UTF-8 😀 のメモ 追加")},
      {"yen", bom + Utf8(u8"日本語 UTF-8 価格 ¥100"), bom + Utf8(u8"日本語 UTF-8 価格 ¥100 追加")},
  };
  MemoPanel panel;
  for (const auto& c : cases) WriteFileBytes(panel.Path(std::string(c.title) + ".txt"), c.before);
  WriteFileBytes(panel.Path("other.txt"), "");
  ASSERT_TRUE(panel.Start());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    ASSERT_TRUE(panel.Select(c.title));
    EXPECT_EQ(0u, GetWideText(panel.Pane()).find(u"日本語 UTF-"));
    EXPECT_FALSE(panel.PaneReadOnly());
    EXPECT_EQ(c.title, panel.Caption());
    panel.Type(" 追加");
    ASSERT_TRUE(panel.Select("other"));
    EXPECT_EQ(c.after, ReadFileBytes(panel.Path(std::string(c.title) + ".txt")));
  }
}

TEST(Encoding, MemosThePaneCannotHoldFaithfullyAreNeverWritten) {
  const struct {
    const char* title;
    std::string bytes;
    const char* note;
  } cases[] = {
      {"lone 80", "abc\x80xyz", "（文字コードが正しくないため読取り専用）"},
      {"lead before CR", "\x82\r\n", "（文字コードが正しくないため読取り専用）"},
      {"unassigned", "\x85\x40", "（文字コードが正しくないため読取り専用）"},
      {"utf16 odd", "\xFF\xFE\x42\x30\x44", "（文字コードが正しくないため読取り専用）"},
  };
  MemoPanel panel;
  for (const auto& c : cases) WriteFileBytes(panel.Path(std::string(c.title) + ".txt"), c.bytes);
  WriteFileBytes(panel.Path("other.txt"), "");
  ASSERT_TRUE(panel.Start());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    std::string path = panel.Path(std::string(c.title) + ".txt");
    MakeOld(path);
    ULONGLONG stamp = WriteTime(path);
    ASSERT_TRUE(panel.Select(c.title));
    EXPECT_TRUE(panel.PaneReadOnly());
    EXPECT_EQ(std::string(c.title) + "  " + c.note, panel.Caption());
    EXPECT_FALSE(panel.ToggleEnabled());
    EXPECT_EQ(0, panel.harness.tool->SaveState());
    ::SendMessageA(panel.Pane(), EM_SETMODIFY, TRUE, 0);
    {
      DialogAnswerer answer(panel.PanelThread(), IDOK, panel.PanelWindow());
      ASSERT_TRUE(panel.Select("other"));
    }
    EXPECT_EQ(c.bytes, ReadFileBytes(path));
    EXPECT_EQ(stamp, WriteTime(path));
  }
}

TEST(Encoding, SearchFindsWordsInEveryEncoding) {
  ToolHarness harness;
  ASSERT_TRUE(harness.Start());
  SearchFolders folders(harness.settings, harness.Folder1());
  folders.Write(1, "sjis.txt", "ファイルの一覧\r\n");
  folders.Write(2, "utf8.txt", Utf8(u8"ファイルの一覧\r\n"));
  folders.Write(2, "utf8bom.txt", "\xEF\xBB\xBF" + Utf8(u8"二行目\r\nファイル\r\n"));
  folders.Write(3, "utf16.txt", Utf16(u"ファイル\r\n", false));
  folders.Write(3, "utf16be.txt", Utf16(u"一行目\r\nファイル\r\n", true));
  // CP932 bytes of the keyword inside UTF-8 text are no match: the UTF-8 of
  // ハ\ and ッ\ holds the bytes of 十 (8F 5C) and ソ (83 5C).
  folders.Write(4, "false.txt", Utf8(u8"ハ\\ッ\\"));
  folders.Write(5, "true.txt", Utf8(u8"十の位\r\n"));
  EXPECT_EQ((std::vector<std::string>{"[ﾒﾓﾌｫﾙﾀﾞ:1] sjis.txt", "[ﾒﾓﾌｫﾙﾀﾞ:2] utf8.txt", "[ﾒﾓﾌｫﾙﾀﾞ:2] utf8bom.txt", "[ﾒﾓﾌｫﾙﾀﾞ:3] utf16.txt",
                                      "[ﾒﾓﾌｫﾙﾀﾞ:3] utf16be.txt"}),
            SearchResults(harness.tool, "ファイル"));
  EXPECT_EQ(std::vector<std::string>{"[ﾒﾓﾌｫﾙﾀﾞ:5] true.txt"}, SearchResults(harness.tool, "\x8F\x5C \x83\x5C"));  // 十 ソ
}

// The encoding chosen by hand from the pane's menu: a UTF-8 line read as UTF-8, typed into and saved, reads so by itself; one
// read as code page 932 keeps its text when a character code page 932 lacks
// makes it UTF-8.
TEST(Encoding, TheEncodingChosenByHandHolds) {
  const std::string croatian = Utf8(u8"čaša i ćup"), russian = Utf8(u8"Жx е е");
  MemoPanel panel;
  WriteFileBytes(panel.Path("hr.txt"), croatian);
  WriteFileBytes(panel.Path("ru.txt"), russian);
  ASSERT_TRUE(panel.Start());
  auto paneIs = [&](const std::string& utf8) {
    const std::u16string text = DecodeMemoTextAs(utf8.data(), utf8.size(), MemoEncoding::Utf8).text;
    return PumpUntil([&] { return GetWideText(panel.Pane()) == text; });
  };
  // The pane's menu, and the mnemonics of 文字コード, 指定して開き直す and the choice.
  auto readAs = [&](char choice) {
    ::PostMessageA(panel.Pane(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel.Pane()), MAKELPARAM(-1, -1));
    HWND menu = NULL;
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(menu = ::FindWindowA("#32768", NULL)); }));
    for (char key : {'e', 'r', choice}) ::PostMessageA(menu, WM_CHAR, key, 0);
    // The choice is carried out once the menu is gone, before the panel's next message.
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(menu); }));
    panel.harness.OnPanelThread([] {});
  };
  auto typeAtEnd = [&](const wchar_t* text) {
    ::SendMessageW(panel.Pane(), EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
    ::SendMessageW(panel.Pane(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
  };
  ASSERT_TRUE(panel.Select("hr"));
  readAs('u');
  EXPECT_TRUE(paneIs(croatian));
  typeAtEnd(L" ok");
  ASSERT_TRUE(panel.Select("ru"));
  std::string written = ReadFileBytes(panel.Path("hr.txt"));
  EXPECT_EQ(croatian + " ok", written.substr(written.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0));
  ASSERT_TRUE(panel.Select("hr"));
  EXPECT_TRUE(paneIs(croatian + " ok"));

  ASSERT_TRUE(panel.Select("ru"));
  readAs('s');
  EXPECT_TRUE(PumpUntil([&] { return GetWideText(panel.Pane()) == WideFromCp932(russian.c_str()); }));
  typeAtEnd(L"é");
  DialogAnswerer yes(panel.PanelThread(), IDYES, panel.PanelWindow());
  readAs('a');
  ASSERT_TRUE(yes.Wait());
  EXPECT_EQ("\xEF\xBB\xBF" + russian + "\xC3\xA9", ReadFileBytes(panel.Path("ru.txt")));
  EXPECT_TRUE(paneIs(russian + "\xC3\xA9"));
}

// The pane converts with the system's code page 932: the core's table must
// agree with it on every code and every character, or a memo would change.
TEST(Encoding, CoreTableAgreesWithTheSystemsCodePage) {
  int disagreements = 0, characters = 0;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead <= 0xDF) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      unsigned char code[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
      char32_t core = 0;
      bool coreHas = DecodeCp932Char(code, 2, core) == 2;
      wchar_t system = 0;
      bool systemHas = ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, reinterpret_cast<char*>(code), 2, &system, 1) == 1;
      // The system takes some unassigned codes for the middle dot: no character of the file's.
      if (systemHas && system == 0x30FB && !(lead == 0x81 && trail == 0x45)) systemHas = false;
      if (coreHas != systemHas || (coreHas && core != static_cast<char32_t>(system))) {
        if (++disagreements <= 5) ADD_FAILURE() << std::hex << "decoding " << lead << " " << trail;
        continue;
      }
      if (!coreHas) continue;
      ++characters;
      // Back from the character: the system's choice among duplicates is the core's.
      char back[2] = {};
      BOOL defaulted = FALSE;
      int length = ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &system, 1, back, 2, NULL, &defaulted);
      char coreBack[2];
      size_t coreLength = EncodeCp932Char(core, coreBack);
      if (coreLength == 0 || defaulted || std::string(coreBack, coreLength) != std::string(back, length)) {
        if (++disagreements <= 5) ADD_FAILURE() << std::hex << "encoding back " << lead << " " << trail;
      }
    }
  }
  EXPECT_EQ(0, disagreements);
  // Every assigned double-byte code was compared.
  EXPECT_EQ(9604, characters);
}

}  // namespace
