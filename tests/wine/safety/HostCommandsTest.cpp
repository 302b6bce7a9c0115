// Host commands that arrive while the panel is in the middle of an
// operation: the settings command waits for the operation's end, at most one
// settings dialog runs, and modalFlag stays 1 until the outermost dialog or
// box of the panel closes.
#include "OperationsFixture.h"

namespace {

const char settingsCaption[] = "スクリビットの設定";
// The fixed text, and why on a line below it.
const char writeFailure[] =
    "カレントメモフォルダパスにファイルが存在しません！\n編集を保存できませんでした。\nディスクの空き領域が不足しています。";

struct DialogSearch {
  HWND skip[2];
  HWND found;
};

BOOL CALLBACK FindOtherDialog(HWND window, LPARAM parameter) {
  DialogSearch* search = reinterpret_cast<DialogSearch*>(parameter);
  char className[32];
  ::GetClassNameA(window, className, sizeof(className));
  if (window == search->skip[0] || window == search->skip[1] || strcmp(className, "#32770") != 0 || !::IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

// A dialog or box of the thread other than the two given.
HWND OtherDialog(DWORD thread, HWND first, HWND second) {
  DialogSearch search = {{first, second}, NULL};
  ::EnumThreadWindows(thread, FindOtherDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class HostCommands : public OperationsTest {
public:
  // The two ways the host gives the settings command.
  void Command(bool bySlot) {
    if (bySlot)
      harness.tool->RunSettings(0, 0);
    else
      ::PostMessageA(harness.PanelWindow(), WM_TOOL_SETTINGS, 0, 0);
    // Handled once the panel's thread comes to what was posted after it.
    harness.OnPanelThread([] {});
  }
};

TEST_F(HostCommands, SettingsWaitForTheOperationInProgress) {
  const struct {
    const char* operation;
    int button;  // 0: the rename request, F2 on the list
    Answer finish;
  } operations[] = {
      {"new memo", IDC_PANEL_NEW, TypeTitle("fresh")},
      {"rename", 0, TypeTitle("renamed")},
      {"delete question", IDC_PANEL_DELETE, Press(IDNO)},
  };
  for (bool bySlot : {false, true}) {
    for (const auto& o : operations) {
      SCOPED_TRACE(std::string(o.operation) + (bySlot ? ", slot 58" : ", message 1124"));
      WriteMemos({{"memo.txt", "kept"}});
      OpenMemo("memo");
      Answer commandInside = [&](HWND dialog) {
        Command(bySlot);
        EXPECT_EQ(NULL, OtherDialog(harness.PanelThreadId(), harness.PanelWindow(), dialog)) << "ran inside the operation";
        EXPECT_EQ(1, harness.tool->modalFlag);
        o.finish(dialog);
      };
      std::vector<Shown> shown = Answering({commandInside, Press(IDCANCEL)}, [&] {
        if (o.button)
          harness.Click(o.button);
        else
          ::SendMessageA(harness.List(), WM_KEYDOWN, VK_F2, 0);
      });
      ASSERT_EQ(2u, shown.size());
      EXPECT_EQ(settingsCaption, shown[1].caption);
      harness.OnPanelThread([] {});
      EXPECT_EQ(0, harness.tool->modalFlag);
      std::string memo = o.button == 0 ? "renamed.txt" : "memo.txt";
      EXPECT_EQ("kept", ReadFileBytes(MemoPath(memo)));
      ::DeleteFileA(MemoPath("renamed.txt").c_str());
      ::DeleteFileA(MemoPath("fresh.txt").c_str());
    }
  }
}

TEST_F(HostCommands, TwoSettingsCommandsOpenOneDialog) {
  std::vector<Shown> shown = Answering({Press(IDCANCEL)}, [this] {
    ::PostMessageA(harness.PanelWindow(), WM_TOOL_SETTINGS, 0, 0);
    ::PostMessageA(harness.PanelWindow(), WM_TOOL_SETTINGS, 0, 0);
  });
  ASSERT_EQ(1u, shown.size()) << "a second dialog followed";
  EXPECT_EQ(settingsCaption, shown[0].caption);
}

// The host's SaveState inside the new memo dialog fails: its message comes as
// a box over the dialog, and modalFlag stays 1 after the box until the dialog closes.
TEST_F(HostCommands, ModalFlagStaysUpUntilTheOutermostBoxCloses) {
  WriteMemos({{"memo.txt", "saved"}});
  OpenMemo("memo");
  TypeIntoPane("edited");
  FaultyFileOps ops;
  ops.Fail(FileCall::Write, ERROR_DISK_FULL, 1, harness.Folder1());
  harness.OnPanelThread([&] { Panel()->UseFileOps(ops); });
  int flagOverBox = -1, flagAfterBox = -1, saved = -1;
  std::string boxText;
  Answer inside = [&](HWND dialog) {
    saved = harness.tool->SaveState();
    DWORD thread = harness.PanelThreadId();
    HWND box = NULL;
    PumpUntil([&] { return (box = OtherDialog(thread, harness.PanelWindow(), dialog)) != NULL; });
    char text[512] = "";
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    boxText = text;
    flagOverBox = harness.tool->modalFlag;
    PressDialogButton(box, IDOK);
    PumpUntil([&] { return !::IsWindow(box); });
    flagAfterBox = harness.tool->modalFlag;
    PressDialogButton(dialog, IDCANCEL);
  };
  ASSERT_EQ(1u, ClickAnswering(IDC_PANEL_NEW, {inside}).size());
  harness.OnPanelThread([&] { Panel()->UseFileOps(PlatformMemoFileOps()); });
  EXPECT_EQ(0, saved);
  EXPECT_EQ(writeFailure, boxText);
  EXPECT_EQ(1, flagOverBox);
  EXPECT_EQ(1, flagAfterBox);
  EXPECT_EQ(0, harness.tool->modalFlag);
  EXPECT_EQ("saved", ReadFileBytes(MemoPath("memo.txt")));
}

}  // namespace
