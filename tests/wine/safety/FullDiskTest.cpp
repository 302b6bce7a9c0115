// A real full disk: a 256 KB tmpfs mounted as memo folder 2 (the test runs as
// root). Closing an edited memo there fails: the old file stays whole and
// the edits stay open; once space is freed, the next close writes them.
#include "OperationsFixture.h"
#include "UnixCommand.h"

namespace {

// The fixed text, and why on a line below it.
const char writeFailure[] =
    "カレントメモフォルダパスにファイルが存在しません！\n編集を保存できませんでした。\nディスクの空き領域が不足しています。";

// Whole lines, padded with blanks to the exact length.
std::string Lines(const std::string& line, size_t length) {
  std::string text;
  while (text.size() + line.size() <= length) text += line;
  text.append(length - text.size(), ' ');
  return text;
}

class FullDisk : public OperationsTest {
public:
  void SetUp() override {
    OperationsTest::SetUp();
    int status = RunUnixCommand("mount -t tmpfs -o size=256k scribbit '" + mountPoint + "'");
    ASSERT_EQ(0, status) << "cannot mount a 256 KB tmpfs at " << mountPoint << " (mount needs root)";
    mounted = true;
  }
  void TearDown() override {
    harness.Close();
    if (mounted) {
      EXPECT_EQ(0, RunUnixCommand("umount '" + mountPoint + "'"));
    }
  }

  // Writes until the disk refuses; the error it gives.
  DWORD Fill(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    std::string block(4096, 'f');
    DWORD written = 0, error = 0;
    while (!error)
      if (!::WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, NULL) || written < block.size())
        error = ::GetLastError();
    ::CloseHandle(file);
    return error;
  }

  // In the prefix: a test of another prefix running meanwhile mounts its own.
  TempFolder mountFolder;
  std::string folder = mountFolder.Path();
  std::string mountPoint = UnixPathOf(folder);
  bool mounted = false;
};

TEST_F(FullDisk, EditsStayOpenUntilThereIsRoomAndTheOldFileStaysWhole) {
  const std::string oldText = Lines("ディスクが一杯になる前の行\r\n", 20000);
  const std::string newText = Lines("一杯のディスクに書けない行\r\n", 60000);
  const std::string memo = folder + "\\memo.txt", filler = folder + "\\filler.bin";
  ASSERT_TRUE(WriteFileBytes(memo, oldText));
  ASSERT_TRUE(WriteFileBytes(folder + "\\other.txt", ""));
  harness.settings.Set("ScribbitFolderPath2", folder);
  harness.Click(IDC_PANEL_FOLDER2);
  OpenMemo("memo");
  TypeIntoPane(newText);
  ASSERT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), Fill(filler));

  std::vector<Shown> shown = Answering({Press(IDOK)}, [this] { OpenMemo("other"); });
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ(writeFailure, shown[0].text);
  EXPECT_TRUE(oldText == ReadFileBytes(memo)) << "the old file changed";
  EXPECT_EQ((std::vector<std::string>{"filler.bin", "memo.txt", "other.txt"}), FileNames(folder));
  EXPECT_EQ("memo", harness.OpenTitle());
  EXPECT_TRUE(newText == PaneText()) << "the edits left the pane";
  EXPECT_TRUE(PaneModified());

  ::DeleteFileA(filler.c_str());
  EXPECT_TRUE(Answering({}, [this] { OpenMemo("other"); }).empty());
  EXPECT_TRUE(newText == ReadFileBytes(memo)) << "the edits were not written";
  EXPECT_EQ("other", harness.OpenTitle());
}

// A file dropped on a nearly full folder is copied whole or not at all: a
// failed copy leaves nothing, and a retry once there is room works.
TEST_F(FullDisk, ImportIsWholeOrNothing) {
  const std::string filler = folder + "\\filler.bin";
  TempFolder source;
  const std::string dropped = Lines("取り込むファイルの行\r\n", 150000);
  WriteFileBytes(source / "imported.txt", dropped);
  harness.settings.Set("ScribbitFolderPath2", folder);
  harness.Click(IDC_PANEL_FOLDER2);
  Fill(filler);
  // Room for some of it, not all: 80 KB.
  HANDLE file = ::CreateFileA(filler.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
  ::SetFilePointer(file, -81920, NULL, FILE_END);
  ::SetEndOfFile(file);
  ::CloseHandle(file);
  std::vector<Shown> shown = Drop({source / "imported.txt"}, {Press(IDYES), Press(IDOK)});
  ASSERT_EQ(2u, shown.size());
  EXPECT_EQ("imported.txtのコピーに失敗しました！\nディスクの空き領域が不足しています。", shown[1].text);
  EXPECT_EQ(std::vector<std::string>{"filler.bin"}, FileNames(folder));
  ::DeleteFileA(filler.c_str());
  EXPECT_EQ(1u, Drop({source / "imported.txt"}, {Press(IDYES)}).size());
  EXPECT_TRUE(dropped == ReadFileBytes(folder + "\\imported.txt"));
}

// No file can be made (the folder has no room for one more): New says so,
// and the memo open stays open.
TEST_F(FullDisk, NewThatCannotBeMadeLeavesTheOpenMemoOpen) {
  ASSERT_TRUE(WriteFileBytes(folder + "\\memo.txt", "open"));
  harness.settings.Set("ScribbitFolderPath2", folder);
  harness.Click(IDC_PANEL_FOLDER2);
  OpenMemo("memo");
  TypeIntoPane("open and edited");
  ASSERT_EQ(0, RunUnixCommand("mount -o remount,nr_inodes=2 " + mountPoint));
  std::vector<Shown> shown = ClickAnswering(IDC_PANEL_NEW, {TypeTitle("new"), Press(IDOK)});
  ASSERT_EQ(2u, shown.size());
  EXPECT_EQ("メモファイルを作成できませんでした！\nディスクの空き領域が不足しています。", shown[1].text);
  EXPECT_EQ("memo", harness.OpenTitle());
  EXPECT_EQ("open and edited", PaneText());
  EXPECT_EQ(IndexOf("memo"), harness.Selection());
  // Room again: the panel's close writes the edits.
  ASSERT_EQ(0, RunUnixCommand("mount -o remount,nr_inodes=100 " + mountPoint));
}

}  // namespace
