// Keys typed into the panel and its dialogs go through the system's input
// queue and the panel thread's message loop, as a user's do: characters
// arrive whole, Return breaks the line, Escape is dropped.
#include <gtest/gtest.h>

#include <string>

#include "Keyboard.h"
#include "ToolHarness.h"

namespace {

struct TypingCase {
  const char* what;
  const wchar_t* keys;
  const char* text;  // code page 932, as the control and the file hold it
};

const TypingCase paneCases[] = {
    {"kanji", L"日本語", "日本語"},
    {"half-width katakana", L"ｶﾀｶﾅ", "ｶﾀｶﾅ"},
    {"kana and kanji among ASCII", L"memo 日本語とｶﾅ 123", "memo 日本語とｶﾅ 123"},
    {"Return", L"一行目\r二行目", "一行目\r\n二行目"},
    {"Escape", L"前\x1b後", "前後"},
};

// Memo titles: Return would press the dialog's OK, Escape its Cancel.
const TypingCase titleCases[] = {
    {"kanji", L"日本語", "日本語"},
    {"half-width katakana", L"ｶﾀｶﾅ", "ｶﾀｶﾅ"},
    {"kana and kanji among ASCII", L"memo 日本語とｶﾅ 123", "memo 日本語とｶﾅ 123"},
};

std::wstring WideTextOf(HWND control) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(control, &text[0], static_cast<int>(text.size()))));
  return text;
}

std::string TextOf(HWND control) {
  char text[1024] = "";
  ::GetWindowTextA(control, text, sizeof(text));
  return text;
}

// Types into a control of another thread; returns what the control then
// holds, once it holds the expected text or the wait has given up.
std::string TypeInto(HWND control, const TypingCase& typed) {
  if (!FocusControl(control)) return "(no focus)";
  TypeKeys(typed.keys);
  PumpUntil([&] { return TextOf(control) == typed.text; });
  return TextOf(control);
}

class Typing : public ::testing::Test {
protected:
  void SetUp() override {
    ::CreateDirectoryA(harness.Folder1().c_str(), NULL);
    for (size_t i = 0; i < sizeof(paneCases) / sizeof(paneCases[0]); ++i) WriteFileBytes(MemoPath(Title(i)), "");
    WriteFileBytes(MemoPath("other"), "");
    WriteFileBytes(MemoPath("limit"), "");
    ASSERT_TRUE(harness.Start());
    // The host shows the panel once it is ready; only a shown window takes the keyboard.
    ::ShowWindow(harness.PanelWindow(), SW_SHOWNORMAL);
  }

  static std::string Title(size_t index) { return "memo" + std::to_string(index); }
  std::string MemoPath(const std::string& title) { return harness.Folder1() + "\\" + title + ".txt"; }

  void Select(const std::string& title) { harness.Select(title); }

  bool PanelOpen() { return ::IsWindowVisible(harness.PanelWindow()) && harness.host.Count(WM_TOOL_CLOSING) == 0; }

  ToolHarness harness;
};

TEST_F(Typing, TypedTextReachesThePaneAndTheSavedMemo) {
  for (size_t i = 0; i < sizeof(paneCases) / sizeof(paneCases[0]); ++i) {
    const TypingCase& typed = paneCases[i];
    Select(Title(i));
    EXPECT_EQ(typed.text, TypeInto(harness.Item(IDC_PANEL_TEXT), typed)) << typed.what;
    // Selecting another memo closes this one, writing the edits.
    Select("other");
    EXPECT_EQ(typed.text, ReadFileBytes(MemoPath(Title(i)))) << typed.what;
    EXPECT_TRUE(PanelOpen()) << typed.what;
  }
}

// New leaves the caret in the new memo: what is typed right after lands there.
TEST_F(Typing, KeysTypedRightAfterNewLandInTheNewMemo) {
  ASSERT_TRUE(FocusControl(harness.Item(IDC_PANEL_NEW)));
  DialogAnswerer answerer(
      harness.PanelThreadId(),
      [](HWND dialog) {
        ::SendDlgItemMessageA(dialog, IDC_MEMO_NAME_TITLE, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("fresh"));
        PressDialogButton(dialog, IDOK);
      },
      harness.PanelWindow());
  harness.Click(IDC_PANEL_NEW);
  ASSERT_TRUE(answerer.Wait());
  const TypingCase& typed = paneCases[2];
  TypeKeys(typed.keys);
  HWND pane = harness.Item(IDC_PANEL_TEXT);
  PumpUntil([&] { return TextOf(pane) == typed.text; });
  EXPECT_EQ(typed.text, TextOf(pane));
  Select("other");
  EXPECT_EQ(typed.text, ReadFileBytes(MemoPath("fresh")));
}

TEST_F(Typing, TypedTitleReachesTheNameDialog) {
  for (const TypingCase& typed : titleCases) {
    std::string received;
    DialogAnswerer answerer(
        harness.PanelThreadId(),
        [&](HWND dialog) {
          received = TypeInto(::GetDlgItem(dialog, IDC_MEMO_NAME_TITLE), typed);
          PressDialogButton(dialog, IDOK);
        },
        harness.PanelWindow());
    harness.Click(IDC_PANEL_NEW);
    ASSERT_TRUE(answerer.Wait()) << typed.what;
    EXPECT_EQ(typed.text, received) << typed.what;
    EXPECT_TRUE(FileExists(MemoPath(typed.text))) << typed.what;
    EXPECT_EQ(typed.text, harness.ItemText(IDC_PANEL_TITLE)) << typed.what;
  }
}

void SetClipboard(const std::wstring& text) {
  HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  memcpy(::GlobalLock(data), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  ::GlobalUnlock(data);
  ::OpenClipboard(NULL);
  ::EmptyClipboard();
  ::SetClipboardData(CF_UNICODETEXT, data);
  ::CloseClipboard();
}

// Lines of a hundred units: the edit control lays out one endless line
// slowly enough to stall the panel.
template <class Text>
Text Lines(typename Text::value_type unit, size_t units) {
  Text text;
  while (text.size() + 100 <= units) text += Text(98, unit) + Text(1, '\r') + Text(1, '\n');
  return text + Text(units - text.size(), unit);
}

// The pane takes, typed or pasted, only what reopens whole and editable:
// 200,000 bytes as code page 932 counts them, in whole characters.
TEST_F(Typing, WhatThePaneTakesReopensWholeAndEditable) {
  // UTF-8, which holds an emoji without a question.
  const std::string bom = "\xEF\xBB\xBF";
  const std::wstring kanji(10, L'\u6F22'), emoji = L"\U0001F600";
  const struct {
    const char* what;
    std::string file;
    std::wstring keys;  // typed; else pasted
    std::wstring pasted;
    size_t units;  // the pane's length after
  } cases[] = {
      {"kanji past the limit into a code page 932 memo", Lines<std::string>('a', 199990), L"", kanji, 199995},
      {"kanji past the limit into a UTF-8 memo", bom + Lines<std::string>('a', 199990), L"", kanji, 199995},
      {"an emoji pasted one byte short", bom + Lines<std::string>('a', 199999), L"", emoji, 199999},
      {"an emoji pasted with room", bom + Lines<std::string>('a', 199998), L"", emoji, 200000},
      {"an emoji typed one byte short", bom + Lines<std::string>('a', 199999), emoji, L"", 199999},
  };
  HWND pane = harness.Item(IDC_PANEL_TEXT);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Select("other");
    WriteFileBytes(MemoPath("limit"), c.file);
    Select("limit");
    ASSERT_TRUE(FocusControl(pane));
    PressKey(VK_END, true);
    if (c.keys.empty()) {
      SetClipboard(c.pasted);
      PressKey('V', true);
    } else {
      TypeKeys(c.keys);
    }
    EXPECT_TRUE(PumpUntil([&] { return static_cast<size_t>(::GetWindowTextLengthW(pane)) == c.units; }));
    const std::wstring before = WideTextOf(pane);
    Select("other");
    Select("limit");
    EXPECT_FALSE(::GetWindowLongW(pane, GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(before == WideTextOf(pane));
  }
}

}  // namespace
