// What a screen reader asks of the panel and its dialogs: every control
// answers with a name, the memo list with each title and its selection, and
// the current folder's button says it is pressed.
#include <gtest/gtest.h>
#include <oleacc.h>

#include "ToolHarness.h"
#include "WindowCapture.h"

namespace {

// The name oleacc gives the window's object, as a screen reader asks it.
std::string AccName(HWND window) {
  ::CoInitialize(NULL);
  IAccessible* object = NULL;
  std::string name;
  if (SUCCEEDED(::AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object))) && object) {
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = NULL;
    if (object->get_accName(self, &text) == S_OK && text) {
      char bytes[512] = "";
      ::WideCharToMultiByte(932, 0, text, -1, bytes, sizeof(bytes), NULL, NULL);
      name = bytes;
      ::SysFreeString(text);
    }
    object->Release();
  }
  ::CoUninitialize();
  return name;
}

// The items a screen reader hears were selected in the list, as events come.
std::vector<LONG> selectedItems;
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
  if (event == EVENT_OBJECT_SELECTION && object == OBJID_CLIENT) selectedItems.push_back(child);
}

struct Named {
  int id;
  const char* name;
};

// The static a control without a caption follows, as a screen reader finds it.
std::string LabelBefore(HWND control) {
  HWND label = ::GetWindow(control, GW_HWNDPREV);
  char className[16] = "", text[256] = "";
  ::GetClassNameA(label, className, sizeof(className));
  ::GetWindowTextA(label, text, sizeof(text));
  return lstrcmpiA(className, "Static") == 0 ? text : "";
}

// Each control's name, and none empty. Wine's oleacc names a combo box by
// its text: there the label it follows is checked.
void ExpectNames(HWND window, const std::vector<Named>& controls) {
  for (const Named& control : controls) {
    HWND item = ::GetDlgItem(window, control.id);
    char className[16] = "";
    ::GetClassNameA(item, className, sizeof(className));
    std::string name = lstrcmpiA(className, "ComboBox") == 0 ? LabelBefore(item) : AccName(item);
    EXPECT_FALSE(name.empty()) << "control " << control.id << " has no name";
    EXPECT_EQ(control.name, name) << "control " << control.id;
  }
}

TEST(Accessibility, EveryControlHasANameAScreenReaderReads) {
  ToolHarness harness;
  ::CreateDirectoryA(harness.Folder1().c_str(), NULL);
  WriteFileBytes(harness.Folder1() + "\\一.txt", "one");
  WriteFileBytes(harness.Folder1() + "\\二.txt", "two");
  harness.settings.Set("ScribbitFolderName2", "仕事");
  harness.settings.Set("ScribbitFolderPath3", "C:\\memo");
  ASSERT_TRUE(harness.Start());
  ASSERT_TRUE(harness.Select("二"));
  ExpectNames(harness.PanelWindow(), {{IDC_PANEL_NEW, "メモ新規作成"},
                                      {IDC_PANEL_ERASE, "メモ内容消去"},
                                      {IDC_PANEL_DELETE, "メモ削除"},
                                      {IDC_PANEL_EXT_EDIT, "編集拡張機能"},
                                      {IDC_PANEL_OPEN_EDITOR, "メモをエディタで開く"},
                                      {IDC_PANEL_FOLDER1, "マイメモフォルダ"},
                                      {IDC_PANEL_FOLDER2, "仕事"},
                                      {IDC_PANEL_FOLDER3, "C:\\memo"},
                                      {IDC_PANEL_FOLDER4, "メモフォルダ4"},
                                      {IDC_PANEL_READ_ONLY, "読取り専用"},
                                      {IDC_PANEL_TITLE, "二"},
                                      // The pane is named by the title strip before it.
                                      {IDC_PANEL_TEXT, "二"}});
  EXPECT_TRUE(::SendMessageA(harness.Item(IDC_PANEL_FOLDER1), BM_GETSTATE, 0, 0) & BST_PUSHED);
  EXPECT_FALSE(::SendMessageA(harness.Item(IDC_PANEL_FOLDER2), BM_GETSTATE, 0, 0) & BST_PUSHED);
  {
    // And drawn so at every paint: its frame is pushed in, the others' stands out.
    WindowCapture pushed(harness.Item(IDC_PANEL_FOLDER1)), raised(harness.Item(IDC_PANEL_FOLDER2));
    EXPECT_GT(ColourDistance(pushed.At(0, 0), raised.At(0, 0)), 150);
  }
  // The list: its name, each title as the list view tells it, the selected one.
  HWND list = harness.List();
  EXPECT_EQ("メモ一覧", AccName(list));
  EXPECT_EQ("メモ一覧", LabelBefore(list));
  EXPECT_EQ((std::vector<std::string>{"一", "二"}), harness.Titles());
  EXPECT_EQ(1, ::SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_SELECTION, EVENT_OBJECT_SELECTION, NULL, OnEvent, ::GetCurrentProcessId(),
                                         harness.PanelThreadId(), WINEVENT_OUTOFCONTEXT);
  ASSERT_TRUE(harness.Select("一"));
  EXPECT_TRUE(PumpUntil([] { return !selectedItems.empty() && selectedItems.back() == 1; })) << "no selection event for the first item";
  ::UnhookWinEvent(hook);

  // The dialogs: every field follows the static that names it.
  const std::vector<Named> settingsFields = {
      {IDC_SETTINGS_NAME1, "メモフォルダ1の名前："}, {IDC_SETTINGS_PATH1, "メモフォルダ1のパス："}, {IDC_SETTINGS_NAME5, "メモフォルダ5の名前："},
      {IDC_SETTINGS_PATH5, "メモフォルダ5のパス："}, {IDC_SETTINGS_EDITOR, "メモを開くエディタのパス"},     {IDC_SETTINGS_STAMP, "スタンプ"}};
  const struct {
    int button;  // 0: the host's settings command
    std::vector<Named> fields;
  } dialogs[] = {
      {0, settingsFields},
      {IDC_PANEL_NEW, {{IDC_MEMO_NAME_TITLE, "メモのタイトル："}}},
      {IDC_PANEL_EXT_EDIT, {{IDC_EXT_SEARCH, "削除する文字列 ："}, {IDC_EXT_REPLACE, "置換後の文字列 ："}, {IDC_EXT_FOLDERS, "移動先のメモフォルダ："}}},
  };
  for (const auto& dialog : dialogs) {
    SCOPED_TRACE(dialog.button);
    Answer read = [&](HWND window) {
      ExpectNames(window, dialog.fields);
      PressDialogButton(window, IDCANCEL);
    };
    BoxAnswerer answerer(harness.PanelThreadId(), harness.PanelWindow(), {read});
    if (dialog.button)
      harness.Click(dialog.button);
    else
      harness.tool->RunSettings(0, 0);
    answerer.Finish();
  }
}

}  // namespace
