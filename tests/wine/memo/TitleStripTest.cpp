// The title strip at the longest title the name dialog lets through: each
// note on why a memo is read-only is drawn whole within the strip, and the
// strip's tooltip holds the whole caption.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "MemoPanel.h"
#include "core/MemoPaths.h"

namespace {

// Of wide ASCII letters: a title of as many bytes in kanji would not fit
// the 255 bytes of a Linux file name in UTF-8. An HTML memo's title must
// leave room for ".html".
std::string LongestTitle(const std::string& folder, const std::string& tag, const char* extension) {
  std::string title = tag;
  char path[MAX_PATH];
  while (FormMemoFilePath((folder + "\\").c_str(), ("W" + title).c_str(), extension, path, sizeof(path))) title = "W" + title;
  return title;
}

// The strip is a static control, which breaks a line too long for it.
bool DrawnOnOneLine(HWND strip, const std::string& text) {
  RECT client, needed;
  ::GetClientRect(strip, &client);
  needed = client;
  HDC dc = ::GetDC(strip);
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(strip, WM_GETFONT, 0, 0)));
  ::DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  TEXTMETRICA metrics;
  ::GetTextMetricsA(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(strip, dc);
  return needed.right <= client.right && needed.bottom - needed.top <= metrics.tmHeight;
}

TEST(TitleStrip, EachReadOnlyNoteShowsWholeBesideTheLongestTitle) {
  enum Hold { None, Exclusively, ByASecondName };
  const struct {
    const char* tag;
    const char* extension;
    std::string bytes;
    Hold hold;
    const char* note;
  } cases[] = {
      {"1", ".txt", std::string("a\0b", 3), None, "全文を表示できないため読取り専用"},
      {"2", ".txt", "\x85\x40", None, "文字コードが正しくないため読取り専用"},
      {"3", ".html", "<p>page</p>", None, "HTMLを表示できないため、テキストで表示"},
      {"4", ".txt", "shared", ByASecondName, "ハードリンクのため読取り専用"},
      {"5", ".txt", "held", Exclusively, "ファイルを読み込めないため読取り専用"},
  };
  MemoPanel panel;
  for (const auto& c : cases) {
    std::string path = panel.Path(LongestTitle(panel.harness.Folder1(), c.tag, c.extension) + c.extension);
    WriteFileBytes(path, c.bytes);
    if (c.hold == ByASecondName) {
      ASSERT_TRUE(::CreateHardLinkA(panel.Path(std::string(c.tag) + ".dat").c_str(), path.c_str(), NULL));
    }
  }
  ASSERT_TRUE(panel.Start());
  HWND strip = panel.harness.Item(IDC_PANEL_TITLE);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.note);
    std::string title = LongestTitle(panel.harness.Folder1(), c.tag, c.extension);
    HANDLE held = c.hold == Exclusively ? ::CreateFileA(panel.Path(title + c.extension).c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL)
                                        : INVALID_HANDLE_VALUE;
    ASSERT_TRUE(panel.Select(title, std::string(c.extension) == ".html" ? MemoKindHtml : MemoKindText));
    if (held != INVALID_HANDLE_VALUE) ::CloseHandle(held);
    std::string shown = panel.Caption();
    EXPECT_NE(std::string::npos, shown.find(std::string("（") + c.note + "）")) << shown;
    EXPECT_TRUE(DrawnOnOneLine(strip, shown)) << shown;
    char tip[1024] = "";
    panel.harness.Panel()->toolTips.GetText(strip, tip, sizeof(tip));
    EXPECT_EQ(title + "  （" + c.note + "）", tip);
  }
  // Closed, the memo leaves no tooltip of its caption behind.
  TempFolder empty;
  panel.harness.settings.Set("ScribbitFolderPath2", empty.Path());
  panel.harness.Click(IDC_PANEL_FOLDER2);
  ASSERT_EQ(" (No files opened!) ", panel.Caption());
  char tip[1024] = "stale";
  panel.harness.OnPanelThread([&] { panel.harness.Panel()->toolTips.GetText(strip, tip, sizeof(tip)); });
  EXPECT_STREQ("", tip);
}

}  // namespace
