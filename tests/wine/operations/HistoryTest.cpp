// Every writer that replaces or removes a memo's bytes keeps them first as
// one version, a plain file of the history; a save of the same bytes keeps
// none.
#include <functional>

#include "OperationsFixture.h"
#include "core/MemoChecksum.h"
#include "core/RecoveryRecord.h"

namespace {

class History : public OperationsTest {
public:
  // The files of every memo's history, their index left out; taken, so
  // that the next case starts with none.
  std::vector<std::string> Versions() {
    std::vector<std::string> versions;
    for (const std::string& memo : FolderNames(harness.historyFolder)) {
      const std::string folder = harness.historyFolder + memo + "\\";
      for (const std::string& name : FileNames(folder)) {
        if (name != "index.txt") versions.push_back(ReadFileBytes(folder + name));
        ::DeleteFileA((folder + name).c_str());
      }
    }
    return versions;
  }
  void TypeWide(const wchar_t* text) {
    HWND pane = harness.Item(IDC_PANEL_TEXT);
    ::SendMessageW(pane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    ::SendMessageW(pane, EM_SETMODIFY, TRUE, 0);
  }
};

TEST_F(History, EachWriterKeepsTheBytesItReplacesOnce) {
  harness.settings.Set("ScribbitFolderPath2", spare.Path());
  auto move = [](HWND dialog) {
    ::SendDlgItemMessageA(dialog, IDC_EXT_FOLDERS, CB_SETCURSEL, 1, 0);
    PressDialogButton(dialog, IDC_EXT_MOVE);
  };
  const struct {
    const char* name;
    std::function<void(History&)> act;
    size_t versions;
  } cases[] = {
      {"delete", [](History& t) { t.ClickAnswering(IDC_PANEL_DELETE, {Press(IDYES)}); }, 1},
      {"close", [](History& t) { t.TypeIntoPane("after"), t.OpenMemo("other"); }, 1},
      {"SaveState", [](History& t) { t.TypeIntoPane("after"), t.harness.tool->SaveState(); }, 1},
      {"SaveState, unedited", [](History& t) { t.harness.tool->SaveState(); }, 0},
      {"SaveState, the same text typed", [](History& t) { t.TypeIntoPane("before"), t.harness.tool->SaveState(); }, 0},
      {"conversion to UTF-8", [](History& t) { t.TypeWide(L"after €"), t.Answering({Press(IDYES)}, [&] { t.OpenMemo("other"); }); }, 1},
      {"move", [&](History& t) { t.ClickAnswering(IDC_PANEL_EXT_EDIT, {move}); }, 1},
      // The session's end answers every later box by itself: a tool started anew follows.
      {"end of session", [](History& t) { t.TypeIntoPane("after"), ::SendMessageA(t.harness.PanelWindow(), WM_ENDSESSION, TRUE, 0); }, 1},
      {"restore of edits left behind",
       [](History& t) {
         RecoveryRecord record;
         record.owner = "dead0001";
         record.serial = 1;
         record.folder = t.harness.Folder1() + "\\";
         record.title = "memo";
         record.baseExists = true;
         record.baseSize = 6;
         record.baseChecksum = MemoChecksum("before", 6);
         record.text = u"after";
         ::CreateDirectoryA(t.harness.recoveryFolder.c_str(), NULL);
         WriteFileBytes(t.harness.recoveryFolder + "dead0001.rcv", FormatRecoveryRecord(record));
         t.harness.Start();
       },
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const std::string& name : FileNames(harness.Folder1())) ::DeleteFileA(MemoPath(name).c_str());
    for (const std::string& name : FileNames(spare.Path())) ::DeleteFileA((spare / name).c_str());
    WriteMemos({{"memo.txt", "before"}, {"other.txt", ""}});
    OpenMemo("memo");
    Versions();
    c.act(*this);
    EXPECT_EQ(std::vector<std::string>(c.versions, "before"), Versions());
  }
}

// 履歴… in the memo list's or the pane's menu: Esc leaves the pane as it
// was; Return brings the version selected back as one edit that Ctrl+Z takes
// back.
TEST_F(History, TheDialogBringsAVersionBackAsOneEdit) {
  WriteMemos({{"memo.txt", "before"}, {"other.txt", ""}});
  OpenMemo("memo");
  TypeIntoPane("after");
  ASSERT_EQ(1, harness.tool->SaveState());
  HWND pane = harness.Item(IDC_PANEL_TEXT);
  // The menu of window, which a right click there brings up.
  auto openHistoryPressing = [&](HWND window, UINT click, WPARAM key) {
    Answering({[key](HWND dialog) { ::PostMessageA(::GetDlgItem(dialog, IDC_HISTORY_LIST), WM_KEYDOWN, key, 0); }}, [&] {
      ::PostMessageA(window, click, click == WM_CONTEXTMENU ? reinterpret_cast<WPARAM>(window) : 0, MAKELPARAM(5, 5));
      HWND menu = NULL;
      ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(menu = ::FindWindowA("#32768", NULL)); }));
      ::PostMessageA(menu, WM_CHAR, 'h', 0);
    });
  };
  openHistoryPressing(harness.List(), WM_RBUTTONUP, VK_ESCAPE);
  EXPECT_EQ("after", PaneText());
  EXPECT_FALSE(PaneModified());
  openHistoryPressing(pane, WM_CONTEXTMENU, VK_RETURN);
  EXPECT_EQ("before", PaneText());
  EXPECT_TRUE(PaneModified());
  ::SendMessageA(pane, EM_UNDO, 0, 0);
  EXPECT_EQ("after", PaneText());
}

}  // namespace
