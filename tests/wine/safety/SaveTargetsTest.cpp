// Where a save lands and what it keeps: a file another program holds for a
// moment, the replaced file's attributes and creation time, a symbolic
// link, and names that Windows would open as devices.
#include "OperationsFixture.h"
#include "TestThreads.h"
#include "UnixCommand.h"

namespace {

const char writeFailure[] = "カレントメモフォルダパスにファイルが存在しません！\n編集を保存できませんでした。";

class SaveTargets : public OperationsTest {
public:
  void TearDown() override { harness.Close(); }
  int SaveState(std::vector<Shown>& shown, size_t boxes) {
    int result = -1;
    shown = Answering(std::vector<Answer>(boxes, Press(IDOK)), [&] { result = harness.tool->SaveState(); });
    return result;
  }
  void ListUnixFolder() {
    harness.settings.Set("ScribbitFolderPath2", folder);
    harness.Click(IDC_PANEL_FOLDER2);
    Relist();
  }

  // Where links and names from another system are made, on the Unix side.
  TempFolder made;
  std::string folder = made.Path();
  std::string unixFolder = UnixPathOf(folder);
};

// Scanners and indexers hold fresh files a moment, and the rename waits for
// them; one that never lets go makes the save fail, saying why.
TEST_F(SaveTargets, AReaderHoldingTheMemoIsWaitedFor) {
  for (bool letsGo : {true, false}) {
    SCOPED_TRACE(letsGo ? "let go after half a second" : "held");
    WriteMemos({{"memo.txt", "saved"}, {"other.txt", ""}});
    OpenMemo("memo");
    TypeIntoPane("edited");
    HANDLE reader =
        ::CreateFileA(MemoPath("memo.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    TestThread release([&] {
      if (!letsGo) return;
      ::Sleep(500);
      ::CloseHandle(reader);
    });
    std::vector<Shown> shown;
    int saved = SaveState(shown, letsGo ? 0 : 1);
    release.Join();
    if (letsGo) {
      EXPECT_EQ(1, saved);
      EXPECT_TRUE(shown.empty());
      EXPECT_EQ("edited", ReadFileBytes(MemoPath("memo.txt")));
      continue;
    }
    ::CloseHandle(reader);
    EXPECT_EQ(0, saved);
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(std::string(writeFailure) + "\nアクセスが拒否されました。別のプログラムが使用中の可能性があります。", shown[0].text);
    EXPECT_EQ("saved", ReadFileBytes(MemoPath("memo.txt")));
    EXPECT_EQ("edited", PaneText());
    EXPECT_TRUE(PaneModified());
  }
}

// The new text takes the old file's place as an edit in place would leave
// it. (Its creation time is kept too, where the file system keeps one: Linux
// has none that Wine can set.)
TEST_F(SaveTargets, TheReplacedFilesAttributesStay) {
  WriteMemos({{"memo.txt", "saved"}, {"other.txt", ""}});
  const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  ASSERT_TRUE(::SetFileAttributesA(MemoPath("memo.txt").c_str(), kept));
  OpenMemo("memo");
  TypeIntoPane("edited");
  OpenMemo("other");
  WIN32_FILE_ATTRIBUTE_DATA after;
  ASSERT_TRUE(::GetFileAttributesExA(MemoPath("memo.txt").c_str(), GetFileExInfoStandard, &after));
  EXPECT_EQ("edited", ReadFileBytes(MemoPath("memo.txt")));
  EXPECT_EQ(kept, after.dwFileAttributes & kept);
}

TEST_F(SaveTargets, ASymbolicLinkStaysALinkAndItsTargetTakesTheEdits) {
  ASSERT_EQ(0, RunUnixCommand("cd " + unixFolder + " && printf saved > target.dat && ln -sf target.dat link.txt && : > other.txt"));
  ListUnixFolder();
  OpenMemo("link");
  TypeIntoPane("edited");
  OpenMemo("other");
  EXPECT_EQ("edited", ReadFileBytes(folder + "\\target.dat"));
  EXPECT_EQ(0, RunUnixCommand("test -L " + unixFolder + "/link.txt")) << "the link became a file";
}

// A folder so deep that only a short name fits in it: the save's temporary
// file is never longer than the memo's own name.
TEST_F(SaveTargets, ASaveFitsWhereverTheMemosNameFits) {
  std::string deep;
  while (folder.size() + deep.size() + strlen("\\a.txt") < MAX_PATH - 1) deep += deep.size() % 60 ? "d" : "/d";
  std::string unixDeep = unixFolder + deep;
  ASSERT_EQ(0, RunUnixCommand("mkdir -p " + unixDeep + " && printf saved > " + unixDeep + "/a.txt && : > " + unixDeep + "/b.txt"));
  for (char& c : deep)
    if (c == '/') c = '\\';
  folder += deep;
  ListUnixFolder();
  OpenMemo("a");
  TypeIntoPane("edited");
  EXPECT_TRUE(Answering({}, [this] { OpenMemo("b"); }).empty());
  EXPECT_EQ("edited", ReadFileBytes(folder + "\\a.txt"));
}

// Made by another system: names that open devices on Windows, and a file
// of two names, which a save would part. They are listed and shown
// read-only, with why, and the panel keeps answering.
TEST_F(SaveTargets, FilesASaveWouldHarmOpenReadOnly) {
  ASSERT_EQ(0, RunUnixCommand("cd " + unixFolder + " && printf 'text of nul' > nul.txt && printf 'text of aux' > aux.txt && " +
                              "printf 'text of two' > two.txt && ln -f two.txt second.dat"));
  ListUnixFolder();
  const struct {
    const char* title;
    const char* text;
    const char* note;
  } cases[] = {
      {"nul", "text of nul", "Windowsでは使えない名前のため読取り専用"},
      {"aux", "text of aux", "Windowsでは使えない名前のため読取り専用"},
      {"two", "text of two", "ハードリンクのため読取り専用"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    OpenMemo(c.title);
    EXPECT_EQ(c.text, PaneText());
    EXPECT_TRUE(::GetWindowLongA(harness.Item(IDC_PANEL_TEXT), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(std::string(c.title) + "  （" + c.note + "）", harness.ItemText(IDC_PANEL_TITLE));
    EXPECT_EQ(0, harness.tool->SaveState());
  }
  // The host's search reads them too, and comes back.
  FakeHostWindowObject results;
  results.handle = harness.host.Handle();
  SearchRequest request = {};
  request.resultWindow = results.AsWnd();
  EXPECT_EQ(0, harness.tool->SearchMemos(&request, "text of"));
  EXPECT_EQ(3, harness.host.Count(WM_TOOL_SEARCH_RESULT));
}

}  // namespace
