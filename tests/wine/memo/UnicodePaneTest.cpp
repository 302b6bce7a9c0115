// The text pane holds every character typed or pasted, and a memo's file
// takes them in its own encoding; code page 932 memos ask before they change
// encoding, and bytes nobody touched stay as they were.
#include <gtest/gtest.h>

#include <string>

#include "Keyboard.h"
#include "MemoPanel.h"
#include "core/MemoText.h"
#include "core/RecoveryRecord.h"
#include "framework/WideText.h"

namespace {

// Typed and pasted: the forms of a character other systems give (〜 as
// U+301C, U+FF0D), and characters code page 932 lacks.
const std::u16string typed = u"\U0001F600\u20AC\uD55C\u00FC\u301C\uFF0D\u00A5ｶﾅ日本語";

std::string Encoded(const std::u16string& text, MemoEncoding encoding) {
  std::string bytes;
  EncodeMemoText(text.data(), text.size(), encoding, bytes);
  return bytes;
}

void Paste(HWND pane, const std::u16string& text) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 2 * (text.size() + 1));
  memcpy(::GlobalLock(block), text.c_str(), 2 * (text.size() + 1));
  ::GlobalUnlock(block);
  ASSERT_TRUE(::OpenClipboard(NULL));
  ::EmptyClipboard();
  ::SetClipboardData(CF_UNICODETEXT, block);
  ::CloseClipboard();
  ::SendMessageW(pane, WM_PASTE, 0, 0);
}

class UnicodePane : public ::testing::Test {
protected:
  void Open(const std::string& bytes) {
    WriteFileBytes(panel.Path("memo.txt"), bytes);
    WriteFileBytes(panel.Path("other.txt"), "");
    if (!panel.PanelWindow()) {
      ASSERT_TRUE(panel.Start());
      // Only a shown window takes the keyboard.
      ::ShowWindow(panel.PanelWindow(), SW_SHOWNORMAL);
    }
    ASSERT_TRUE(panel.Select("other"));
    ASSERT_TRUE(panel.Select("memo"));
  }
  // Puts text at the start or the end of the pane, one WM_CHAR a unit.
  void Put(const std::u16string& text, bool atStart) {
    int at = atStart ? 0 : ::GetWindowTextLengthW(panel.Pane());
    ::SendMessageW(panel.Pane(), EM_SETSEL, at, at);
    for (char16_t unit : text) ::SendMessageW(panel.Pane(), WM_CHAR, unit, 1);
  }
  std::string File() { return ReadFileBytes(panel.Path("memo.txt")); }
  MemoPanel panel;
};

TEST_F(UnicodePane, TypedAndPastedCharactersReachTheFileExactly) {
  const struct {
    const char* name;
    MemoEncoding encoding;
    int answer;  // to the question whether to save in UTF-8; 0: none comes
    MemoEncoding saved;
  } cases[] = {
      {"UTF-8 with a BOM", MemoEncoding::Utf8Bom, 0, MemoEncoding::Utf8Bom},
      {"UTF-16", MemoEncoding::Utf16LeBom, 0, MemoEncoding::Utf16LeBom},
      {"CP932, saved as UTF-8", MemoEncoding::Cp932, IDYES, MemoEncoding::Utf8Bom},
      {"CP932, kept open", MemoEncoding::Cp932, IDNO, MemoEncoding::Cp932},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string before = Encoded(u"x", c.encoding);
    Open(before);
    ASSERT_TRUE(FocusControl(panel.Pane()));
    Put(u"", false);
    TypeKeys(std::wstring(typed.begin(), typed.end()));
    ASSERT_TRUE(PumpUntil([&] { return GetWideText(panel.Pane()) == u"x" + typed; })) << "the typing did not arrive";
    Paste(panel.Pane(), typed);
    const std::u16string text = u"x" + typed + typed;
    ASSERT_TRUE(GetWideText(panel.Pane()) == text);
    std::u16string question;
    std::vector<Answer> answers;
    if (c.answer)
      answers.push_back([&](HWND box) {
        wchar_t shown[1024] = L"";
        ::GetDlgItemTextW(box, 0xFFFF, shown, 1024);
        question = reinterpret_cast<const char16_t*>(shown);
        PressDialogButton(box, c.answer);
      });
    {
      BoxAnswerer boxes(panel.PanelThread(), panel.PanelWindow(), answers);
      panel.Select("other");
      boxes.Finish();
    }
    if (c.answer) {
      EXPECT_NE(std::u16string::npos, question.find(u"\U0001F600\u20AC\uD55C\u00FC\u00A5")) << "the characters are named";
    }
    if (c.answer == IDNO) {
      EXPECT_EQ(before, File());
      EXPECT_EQ("memo", panel.Caption());
      EXPECT_TRUE(GetWideText(panel.Pane()) == text);
      EXPECT_TRUE(panel.PaneModified());
      // Once saved as UTF-8, the panel can go on.
      DialogAnswerer yes(panel.PanelThread(), IDYES, panel.PanelWindow());
      panel.Select("other");
      EXPECT_TRUE(yes.Wait());
      EXPECT_EQ(Encoded(text, MemoEncoding::Utf8Bom), File());
    } else {
      EXPECT_EQ(Encoded(text, c.saved), File());
    }
  }
}

// Where nobody can be asked, the memo's file stays as it is and the
// recovery record keeps the text.
TEST_F(UnicodePane, SaveStateLeavesACodePage932MemoAndKeepsTheText) {
  Open("saved");
  Put(u"\u20AC", false);
  EXPECT_EQ(0, panel.harness.tool->SaveState());
  EXPECT_EQ("saved", File());
  std::vector<std::string> records = FileNames(panel.harness.recoveryFolder);
  ASSERT_EQ(2u, records.size()) << "the record and its lock";
  RecoveryRecord record;
  ASSERT_TRUE(ParseRecoveryRecord(ReadFileBytes(panel.harness.recoveryFolder + records.back()), record));
  EXPECT_TRUE(record.text == u"saved\u20AC");
  ::SendMessageA(panel.Pane(), EM_SETMODIFY, FALSE, 0);
}

TEST_F(UnicodePane, BytesNobodyTouchedStay) {
  const std::string necIbm = "\x87\x90\x87\x9A\xED\x40\xEE\xEF\xFA\x54\xFA\x4A\xF0\x40";
  const std::string utf8 = "\xEF\xBB\xBF\xE6\x97\xA5\xF0\x9F\x98\x80";
  const struct {
    const char* name;
    std::string before;
    std::string after;
  } cases[] = {
      {"NEC and IBM codes", necIbm, "!" + necIbm + "!"},
      {"UTF-8 with an emoji", utf8, "\xEF\xBB\xBF!" + utf8.substr(3) + "!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Open(c.before);
    Put(u"!", false);
    Put(u"!", true);
    ASSERT_TRUE(panel.Select("other"));
    EXPECT_EQ(c.after, File());
  }
}

// A memo reads back in the encoding it was saved in, whatever is left of
// its text.
TEST_F(UnicodePane, AUtf8MemoStaysUtf8) {
  Open(
      "\xE6\x97\xA5\xE6\x9C\xAC \xC2\xB1"
      "5\xC2\xB0");  // 日本 ±5° in UTF-8
  ::SendMessageW(panel.Pane(), EM_SETSEL, 0, 3);
  ::SendMessageW(panel.Pane(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
  ASSERT_TRUE(panel.Select("other"));
  std::string file = File();
  struct MemoText reread = DecodeMemoText(file.data(), file.size());
  EXPECT_NE(MemoEncoding::Cp932, reread.encoding);
  EXPECT_TRUE(reread.text == u"\u00B15\u00B0");
  ASSERT_TRUE(panel.Select("memo"));
  Put(u"追記", false);
  ASSERT_TRUE(panel.Select("other"));
  file = File();
  reread = DecodeMemoText(file.data(), file.size());
  EXPECT_NE(MemoEncoding::Cp932, reread.encoding);
  EXPECT_TRUE(reread.text == u"\u00B15\u00B0追記");
}

}  // namespace
