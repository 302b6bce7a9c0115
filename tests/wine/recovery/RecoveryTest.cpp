// Edits that are only in the pane: kept in a recovery record a moment after
// the typing pauses, put back where they belong by the next start after a
// host died, saved without a question when Windows ends the session, and
// rescued somewhere the message names when they cannot reach their memo.
#include <algorithm>
#include <sstream>

#include "FaultyFileOps.h"
#include "Keyboard.h"
#include "core/MemoChecksum.h"
#include "OperationsFixture.h"
#include "core/MemoText.h"
#include "core/RecoveryRecord.h"
#include "UnixCommand.h"

namespace {

const char rescued[] = "編集をメモに保存できなかったため、マイメモフォルダの新しいメモ「%s」に保存しました。";
const char rescuedForNextStart[] =
    "編集をメモに保存できなかったため、復元用のファイル「%s」に保存しました。\n次にパネルを開いたときに、メモとして復元します。";
const char keptBeside[] = "このメモはほかのプログラムで書き換えられていました。\nパネルで編集した内容は、新しいメモ「%s」に保存しました。";

// The message with value in place of its "%s".
std::string Format(const char* message, const std::string& value) {
  std::string text = message;
  return text.replace(text.find("%s"), 2, value);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  return lines;
}

bool ReadRecord(const std::string& path, RecoveryRecord& record) { return ParseRecoveryRecord(ReadFileBytes(path), record); }

class Recovery : public OperationsTest {
public:
  void SetUp() override {}
  void TearDown() override { harness.Close(); }
  bool Start() {
    if (!harness.Start()) return false;
    // Only a shown window takes the keyboard.
    ::ShowWindow(harness.PanelWindow(), SW_SHOWNORMAL);
    return true;
  }
  std::vector<std::string> Records() {
    std::vector<std::string> records;
    for (const std::string& name : FileNames(harness.recoveryFolder))
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".rcv") == 0) records.push_back(harness.recoveryFolder + name);
    return records;
  }
  // The pane's text as this test's records hold it.
  std::u16string PaneWide() {
    HWND pane = harness.Item(IDC_PANEL_TEXT);
    std::wstring text(::GetWindowTextLengthW(pane) + 1, L'\0');
    text.resize(::GetWindowTextW(pane, &text[0], static_cast<int>(text.size())));
    return std::u16string(text.begin(), text.end());
  }
  // A record left by a tool that is gone, for a memo whose file held base.
  void LeaveRecord(const std::string& name, const std::string& owner, uint32_t serial, const std::string& folder, const std::string& title,
                   const std::string& base, const std::u16string& text, MemoEncoding encoding = MemoEncoding::Cp932,
                   const std::string& home = "") {
    RecoveryRecord record;
    record.owner = owner;
    record.home = home;
    record.serial = serial;
    record.folder = folder + "\\";
    record.title = title;
    record.encoding = encoding;
    record.baseExists = true;
    record.baseSize = base.size();
    record.baseChecksum = MemoChecksum(base.data(), base.size());
    record.text = text;
    ::CreateDirectoryA(harness.recoveryFolder.c_str(), NULL);
    ASSERT_TRUE(WriteFileBytes(harness.recoveryFolder + name, FormatRecoveryRecord(record)));
  }
};

TEST_F(Recovery, EditsAreKeptUntilTheyReachTheFile) {
  ASSERT_TRUE(Start());
  WriteMemos({{"memo.txt", "saved"}, {"other.txt", ""}});
  const struct {
    const char* what;
    std::function<void(Recovery&)> act;
    const char* file;  // what the memo file holds afterwards
  } cases[] = {
      {"the host saves", [](Recovery& t) { EXPECT_EQ(1, t.harness.tool->SaveState()); }, "saved追記"},
      {"another memo opens", [](Recovery& t) { t.OpenMemo("other"); }, "saved追記"},
      {"the typing is undone", [](Recovery& t) { TypeKeys(L"\b\b"); }, "saved"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteMemos({{"memo.txt", "saved"}});
    OpenMemo("memo");
    HWND pane = harness.Item(IDC_PANEL_TEXT);
    ASSERT_TRUE(FocusControl(pane));
    ::SendMessageA(pane, EM_SETSEL, 5, 5);
    TypeKeys(L"追記");
    ASSERT_TRUE(PumpUntil([&] {
      RecoveryRecord record;
      return Records().size() == 1 && ReadRecord(Records()[0], record) && record.text == u"saved追記";
    })) << "no record of the edits";
    RecoveryRecord record;
    ReadRecord(Records()[0], record);
    EXPECT_EQ(harness.Folder1() + "\\", record.folder);
    EXPECT_EQ(harness.Folder1() + "\\", record.home);
    EXPECT_EQ("memo", record.title);
    EXPECT_EQ(MemoChecksum("saved", 5), record.baseChecksum);
    EXPECT_EQ("saved", ReadFileBytes(MemoPath("memo.txt")));
    c.act(*this);
    EXPECT_TRUE(PumpUntil([&] { return Records().empty(); })) << "the record stayed";
    EXPECT_EQ(c.file, ReadFileBytes(MemoPath("memo.txt")));
  }
}

TEST_F(Recovery, AStartPutsBackWhatAToolThatIsGoneLeft) {
  TempFolder folder2;
  const std::string folder1 = harness.Folder1(), recovery = harness.recoveryFolder;
  harness.settings.Set("ScribbitFolderPath2", folder2.Path());
  ::CreateDirectoryA(folder1.c_str(), NULL);
  const std::string utf8Bom = "\xEF\xBB\xBF";
  WriteFileBytes(folder2 / "same.txt", utf8Bom + "old");
  WriteFileBytes(folder2 / "changed.txt", "another program's");
  WriteFileBytes(folder2 / "same size.txt", "their text");
  WriteFileBytes(folder2 / "saved.txt", "done");
  WriteFileBytes(folder2 / "live.txt", "live");
  WriteFileBytes(folder2 / "twice.txt", "base");
  LeaveRecord("dead0001.rcv", "dead0001", 3, folder2.Path(), "same", utf8Bom + "old", u"old + 日本語", MemoEncoding::Utf8Bom);
  LeaveRecord("dead0002.rcv", "dead0002", 1, folder2.Path(), "changed", "before", u"edited");
  LeaveRecord("dead000a.rcv", "dead000a", 1, folder2.Path(), "same size", "base text!", u"edited");
  LeaveRecord("dead0003.rcv", "dead0003", 1, folder2.Path(), "gone", "was here", u"recreated");
  LeaveRecord("dead0004.rcv", "dead0004", 1, folder2.Path(), "saved", "done", u"done");
  LeaveRecord("dead0005.rcv", "", 1, "C:\\nowhere", "unset", "", u"homeless", MemoEncoding::Cp932, folder1 + "\\");
  // Another installation's, under the same Windows profile: it waits for its own tool.
  LeaveRecord("dead0008.rcv", "", 1, "C:\\nowhere", "theirs", "", u"not ours", MemoEncoding::Cp932, "C:\\other\\");
  // A record of before the home line goes to the first tool, as it did.
  LeaveRecord("dead0009.rcv", "", 1, "C:\\nowhere", "older", "", u"from before");
  LeaveRecord("live0006.rcv", "live0006", 1, folder2.Path(), "live", "live", u"still typing");
  // A record write that stopped after its flush: its temporary file is the newer record.
  LeaveRecord("dead0007.rcv", "dead0007", 1, folder2.Path(), "twice", "base", u"first");
  LeaveRecord("~sb00000007.tmp", "dead0007", 2, folder2.Path(), "twice", "base", u"second");
  WriteFileBytes(recovery + "broken.rcv", "ScribbitRecovery 1\r\nowner");
  HANDLE liveLock = ::CreateFileA((recovery + "live0006.lock").c_str(), GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS, 0, NULL);

  ASSERT_TRUE(Start());
  std::vector<Shown> shown = Answering({Press(IDOK)}, [this] { harness.Sync(); });
  ::CloseHandle(liveLock);
  ::DeleteFileA((recovery + "live0006.lock").c_str());
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ(Information, shown[0].type);
  const std::string f2 = folder2.Path() + "\\";
  EXPECT_EQ(Lines("前回、保存されないまま終わった編集を復元しました。\n"
                  "・「same」→ " +
                  f2 +
                  "same.txt\n"
                  "・「changed」→ " +
                  f2 +
                  "changed (2).txt（元のメモがほかのプログラムで書き換えられていたため）\n"
                  "・「gone」→ " +
                  f2 +
                  "gone.txt（ファイルがなかったため作り直しました）\n"
                  "・「unset」→ " +
                  folder1 +
                  "\\unset.txt（元のメモフォルダが設定されていないため）\n"
                  "・「twice」→ " +
                  f2 +
                  "twice.txt\n"
                  "・「older」→ " +
                  folder1 +
                  "\\older.txt（元のメモフォルダが設定されていないため）\n"
                  "・「same size」→ " +
                  f2 +
                  "same size (2).txt（元のメモがほかのプログラムで書き換えられていたため）\n"
                  "・読み込めない復元用のファイル " +
                  recovery + "broken.rcv は、そのまま残してあります"),
            Lines(shown[0].text));
  EXPECT_EQ(utf8Bom + "old + \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", ReadFileBytes(folder2 / "same.txt"));
  EXPECT_EQ("another program's", ReadFileBytes(folder2 / "changed.txt"));
  EXPECT_EQ("edited", ReadFileBytes(folder2 / "changed (2).txt"));
  EXPECT_EQ("their text", ReadFileBytes(folder2 / "same size.txt"));
  EXPECT_EQ("recreated", ReadFileBytes(folder2 / "gone.txt"));
  EXPECT_EQ("done", ReadFileBytes(folder2 / "saved.txt"));
  EXPECT_EQ("homeless", ReadFileBytes(folder1 + "\\unset.txt"));
  EXPECT_EQ("live", ReadFileBytes(folder2 / "live.txt"));
  EXPECT_EQ("second", ReadFileBytes(folder2 / "twice.txt"));
  EXPECT_FALSE(FileExists(folder1 + "\\theirs.txt"));
  EXPECT_EQ((std::vector<std::string>{recovery + "broken.rcv", recovery + "dead0008.rcv", recovery + "live0006.rcv"}), Records());
  EXPECT_EQ((std::vector<std::string>{"broken.rcv", "dead0008.rcv", "live0006.rcv"}), FileNames(recovery));
}

// Within the few seconds Windows leaves: no wait for a memo another program
// holds, no write to a network folder while the record holds the edits, and
// no box, before or after the Restart Manager's WM_CLOSE.
TEST_F(Recovery, TheEndOfTheSessionSavesWithoutAQuestion) {
  const struct {
    const char* what;
    std::function<void(Recovery&, FaultyFileOps&)> meanwhile;
    const char* memo;    // the memo file afterwards
    const char* keptAs;  // the file the edits went to, in folder 1; null: the record
  } cases[] = {
      {"edited", [](Recovery&, FaultyFileOps&) {}, "edited", "memo.txt"},
      {"changed outside", [](Recovery& t, FaultyFileOps&) { WriteFileBytes(t.MemoPath("memo.txt"), "outside"); }, "outside", "memo (2).txt"},
      {"held by another program", [](Recovery&, FaultyFileOps& ops) { ops.Fail(FileCall::Move, ERROR_SHARING_VIOLATION, 0, "memo.txt"); }, "saved", nullptr},
      {"on a network drive", [](Recovery&, FaultyFileOps& ops) { ops.driveType = DRIVE_REMOTE; }, "saved", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(Start());
    FaultyFileOps ops;
    harness.OnPanelThread([&] { Panel()->UseFileOps(ops); });
    WriteMemos({{"memo.txt", "saved"}, {"other.txt", ""}});
    OpenMemo("memo");
    TypeIntoPane("edited");
    c.meanwhile(*this, ops);
    LRESULT mayEnd = 0;
    EXPECT_TRUE(Answering({}, [&] {
                  mayEnd = ::SendMessageA(harness.PanelWindow(), WM_QUERYENDSESSION, 0, 0);
                  ::SendMessageA(harness.PanelWindow(), WM_ENDSESSION, TRUE, 0);
                }).empty());
    EXPECT_EQ(TRUE, mayEnd);
    EXPECT_EQ(0u, ops.waited);
    EXPECT_EQ(c.memo, ReadFileBytes(MemoPath("memo.txt")));
    RecoveryRecord record;
    if (c.keptAs) {
      EXPECT_EQ("edited", ReadFileBytes(MemoPath(c.keptAs)));
    } else {
      EXPECT_TRUE(Records().size() == 1 && ReadRecord(Records()[0], record) && record.text == u"edited");
      EXPECT_EQ((std::vector<std::string>{"memo.txt", "other.txt"}), FileNames(harness.Folder1()));
    }
    // What the Restart Manager sends next: the panel closes with no box, however its memo fares.
    EXPECT_TRUE(Answering({}, [&] { harness.Close(); }).empty());
    for (const std::string& name : FileNames(harness.Folder1())) ::DeleteFileA(MemoPath(name).c_str());
    for (const std::string& left : Records()) ::DeleteFileA(left.c_str());
  }
}

// The panel closes with edits that their memo's file cannot take (it is
// read-only): wherever folder 1 is, the edits land on the disk, and the
// message names where.
TEST_F(Recovery, RescuedEditsAlwaysLandWhereTheMessageSays) {
  TempFolder full;
  const std::string mountPoint = UnixPathOf(full.Path());
  ASSERT_EQ(0, RunUnixCommand("mount -t tmpfs -o size=64k scribbit '" + mountPoint + "' && head -c 1M /dev/zero > '" + mountPoint +
                              "/filler'; true"))
      << "cannot mount a tmpfs (mount needs root)";
  TempFolder folder2;
  // The longest title folder 2 takes: too long for folder 1, whose path is longer.
  const std::string longTitle(MAX_PATH - 1 - folder2.Path().size() - strlen("\\.html"), 't');
  const struct {
    const char* what;
    std::string title;
    std::string folder1;  // empty: unset
    bool toRecovery;
  } cases[] = {
      {"folder 1 as it is", "memo", "", false},
      {"a title too long for folder 1", longTitle, "", false},
      {"folder 1 unset", "memo", "-", true},
      {"folder 1 on a full disk", "memo", full.Path(), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // Each start from folder 1, not where the last one was left.
    harness.settings.Set("ScribbitLastFolder", "");
    ASSERT_TRUE(Start());
    const std::string memo = folder2 / (c.title + ".txt");
    WriteFileBytes(memo, "saved");
    harness.settings.Set("ScribbitFolderPath2", folder2.Path());
    harness.Click(IDC_PANEL_FOLDER2);
    OpenMemo(c.title);
    ASSERT_EQ(c.title, harness.OpenTitle());
    TypeIntoPane("saved and edited");
    ::SetFileAttributesA(memo.c_str(), FILE_ATTRIBUTE_READONLY);
    if (!c.folder1.empty()) harness.settings.Set("ScribbitFolderPath1", c.folder1 == "-" ? "" : c.folder1);
    std::vector<Shown> shown = Answering({Press(IDOK), Press(IDOK)}, [this] { harness.Close(); });
    ::SetFileAttributesA(memo.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(memo.c_str());
    ASSERT_EQ(2u, shown.size());
    if (c.toRecovery) {
      ASSERT_EQ(1u, Records().size());
      EXPECT_EQ(Format(rescuedForNextStart, Records()[0]), shown[1].text);
      RecoveryRecord record;
      ASSERT_TRUE(ReadRecord(Records()[0], record));
      EXPECT_TRUE(record.owner.empty());
      EXPECT_TRUE(record.text == u"saved and edited");
    } else {
      std::vector<std::string> names = FileNames(harness.Folder1());
      ASSERT_EQ(1u, names.size());
      std::string title = names[0].substr(0, names[0].size() - 4);
      EXPECT_EQ(0u, c.title.find(title)) << title;
      EXPECT_EQ(Format(rescued, title), shown[1].text);
      EXPECT_EQ("saved and edited", ReadFileBytes(harness.Folder1() + "\\" + names[0]));
      EXPECT_TRUE(Records().empty());
    }
    for (const std::string& name : FileNames(harness.Folder1())) ::DeleteFileA((harness.Folder1() + "\\" + name).c_str());
    for (const std::string& record : Records()) ::DeleteFileA(record.c_str());
  }
  // The memo server may still hold the folder a moment: it goes once let go.
  EXPECT_EQ(0, RunUnixCommand("umount -l '" + mountPoint + "'"));
}

TEST_F(Recovery, LeftoverTemporaryFilesGoOnlyWhenAMemoHoldsTheirText) {
  ASSERT_TRUE(Start());
  TempFolder folder2;
  WriteFileBytes(folder2 / "a.txt", "text of a");
  const struct {
    const char* name;
    const char* bytes;
    bool old;
    bool stays;
  } leftovers[] = {
      {"~sb00000001.tmp", "text of a", true, false},
      {"~sb00000002.tmp", "only here", true, false},
      {"~sb00000003.tmp", "being saved", false, true},
      {"~sb00000004.tmp", "held open", true, true},
      {"~sb00000005.tmp", "", true, false},
  };
  FILETIME now, hourAgo;
  ::GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER time = {{now.dwLowDateTime, now.dwHighDateTime}};
  time.QuadPart -= 36000000000ull;
  hourAgo = {time.LowPart, time.HighPart};
  for (const auto& leftover : leftovers) {
    WriteFileBytes(folder2 / leftover.name, leftover.bytes);
    HANDLE file = ::CreateFileA((folder2 / leftover.name).c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (leftover.old) ::SetFileTime(file, NULL, NULL, &hourAgo);
    ::CloseHandle(file);
  }
  HANDLE held = ::CreateFileA((folder2 / "~sb00000004.tmp").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
  harness.settings.Set("ScribbitFolderPath2", folder2.Path());
  std::vector<Shown> shown = Answering({Press(IDOK)}, [this] { harness.Click(IDC_PANEL_FOLDER2); });
  ::CloseHandle(held);
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ("保存の途中で終わったメモの内容を、新しいメモ " + folder2.Path() + "\\復元されたメモ.txt として残しました。", shown[0].text);
  EXPECT_EQ("only here", ReadFileBytes(folder2 / "復元されたメモ.txt"));
  for (const auto& leftover : leftovers) EXPECT_EQ(leftover.stays, FileExists(folder2 / leftover.name)) << leftover.name;
}

// Restored edits follow the rule of every save: bytes the edits did not
// reach stay the file's own, and UTF-8 that would read back as code page 932
// gets its mark, beside the memo too.
TEST_F(Recovery, RestoredEditsFollowTheRuleOfASave) {
  TempFolder folder2;
  harness.settings.Set("ScribbitFolderPath2", folder2.Path());
  ::CreateDirectoryA(harness.Folder1().c_str(), NULL);
  // NEC and IBM codes that the encoder writes otherwise.
  const std::string nec = "\xEE\xEF\x20\xED\x40";
  WriteFileBytes(folder2 / "nec.txt", nec);
  WriteFileBytes(folder2 / "utf8.txt", "changed by another program");
  LeaveRecord("dead0001.rcv", "dead0001", 1, folder2.Path(), "nec", nec, DecodeMemoText(nec.data(), nec.size()).text + u"追記");
  LeaveRecord("dead0002.rcv", "dead0002", 1, folder2.Path(), "utf8", "\xE6\x97\xA5", u"R = 100 Ω / 6 ÷ 2 = 3", MemoEncoding::Utf8);
  // Edits code page 932 cannot hold go beside the memo, and the message says so, not that the memo changed.
  WriteFileBytes(folder2 / "euro.txt", "price");
  LeaveRecord("dead0003.rcv", "dead0003", 1, folder2.Path(), "euro", "price", u"price 100€");
  ASSERT_TRUE(Start());
  std::vector<Shown> shown = Answering({Press(IDOK)}, [this] { harness.Sync(); });
  ASSERT_EQ(1u, shown.size());
  EXPECT_NE(std::string::npos, shown[0].text.find("・「euro」→ " + folder2.Path() +
                                                  "\\euro (2).txt（元のメモの文字コードで保存できない文字があったため、UTF-8 で保存しました）"));
  EXPECT_EQ("price", ReadFileBytes(folder2 / "euro.txt"));
  EXPECT_EQ(nec + "\x92\xC7\x8B\x4C", ReadFileBytes(folder2 / "nec.txt"));
  EXPECT_EQ("\xEF\xBB\xBFR = 100 \xCE\xA9 / 6 \xC3\xB7 2 = 3", ReadFileBytes(folder2 / "utf8 (2).txt"));
}

// A file named as our temporary files are, larger than any memo the tool
// reads whole, is somebody else's: the sweep leaves it as it is.
TEST_F(Recovery, ALargeFileNamedLikeALeftoverStaysWhole) {
  ::CreateDirectoryA(harness.Folder1().c_str(), NULL);
  const std::string large = harness.Folder1() + "\\~sb0badf00d.tmp";
  std::string bytes(40000000, 'x');
  ASSERT_TRUE(WriteFileBytes(large, bytes));
  HANDLE file = ::CreateFileA(large.c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
  FILETIME old = {0x0, 0x01C07400};
  ::SetFileTime(file, NULL, NULL, &old);
  ::CloseHandle(file);
  ASSERT_TRUE(Start());
  EXPECT_TRUE(Answering({}, [this] { harness.Sync(); }).empty());
  EXPECT_EQ(bytes.size(), ReadFileBytes(large).size());
  EXPECT_EQ(std::vector<std::string>{"~sb0badf00d.tmp"}, FileNames(harness.Folder1()));
}

}  // namespace
