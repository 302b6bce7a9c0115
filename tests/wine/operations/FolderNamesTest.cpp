// Memo folders whose name ends in a double-byte character with 5C as its
// second byte (予定表, ソ): its 5C is no separator, so listing, new, import,
// move and search all act inside the folder, never beside it.
#include "OperationsFixture.h"
#include "SearchTestSupport.h"

namespace {

Answer MoveTo(int entry) {
  return [entry](HWND dialog) {
    ::SendDlgItemMessageA(dialog, IDC_EXT_FOLDERS, CB_SETCURSEL, entry, 0);
    PressDialogButton(dialog, IDC_EXT_MOVE);
  };
}

typedef OperationsTest FolderNames;

TEST_F(FolderNames, EndingInA5CSecondByteKeepEveryMemoInside) {
  for (const char* name : {"予定表", "ソ"}) {
    SCOPED_TRACE(name);
    TempFolder parent, source;
    const std::string folder = parent / name;
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), NULL));
    WriteFileBytes(folder + "\\inside.txt", "予定の見出し\r\n");
    // What a lone 5C would take for the folder's memos: files beside it whose names begin with the folder's.
    WriteFileBytes(parent / (std::string(name) + "beside.txt"), "予定の見出し\r\n");
    harness.settings.Set("ScribbitFolderPath2", folder);
    harness.Click(IDC_PANEL_FOLDER2);
    EXPECT_EQ(std::vector<std::string>{"inside"}, Titles());

    ClickAnswering(IDC_PANEL_NEW, {TypeTitle("new")});
    WriteFileBytes(source / "dropped.txt", "d");
    Drop({source / "dropped.txt"}, {Press(IDYES)});
    harness.Click(IDC_PANEL_FOLDER1);
    WriteMemos({{"moving.txt", "m"}});
    OpenMemo("moving");
    ClickAnswering(IDC_PANEL_EXT_EDIT, {MoveTo(1)});
    EXPECT_EQ((std::vector<std::string>{"dropped.txt", "inside.txt", "moving.txt", "new.txt"}), FileNames(folder));
    EXPECT_EQ(std::vector<std::string>{std::string(name) + "beside.txt"}, FileNames(parent.Path()));

    EXPECT_EQ(std::vector<std::string>{"[ﾒﾓﾌｫﾙﾀﾞ:2] inside.txt"}, SearchResults(harness.tool, "予定の見出し"));
  }
}

}  // namespace
