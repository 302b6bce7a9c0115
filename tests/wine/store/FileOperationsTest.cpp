// The memo file operations with no panel, their file calls given Windows'
// errors: a delete the Recycle Bin cannot take, an import of a read-only
// file, a move to another drive, the sweep of leftover temporary files.
// Each is whole or nothing, and leaves no temporary file behind.
#include <gtest/gtest.h>

#include <optional>

#include "FaultyFileOps.h"
#include "TempFolder.h"
#include "UnixCommand.h"
#include "core/HistorySchedule.h"
#include "store/MemoFile.h"
#include "store/MemoHistory.h"
#include "store/MemoSession.h"
#include "store/RecoveryRestore.h"

namespace {

bool NoTemporaryIn(const std::string& folder) {
  for (const std::string& name : FileNames(folder))
    if (name.compare(0, 3, "~sb") == 0) return false;
  return true;
}

void MakeWritable(const std::string& path) { ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); }

// Bytes of a file larger than the most a memo is read whole.
std::string Large(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + i % 23);
  return bytes;
}

void DateBack(const std::string& path, ULONGLONG seconds) {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  ULONGLONG value = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32 | now.dwLowDateTime) - seconds * 10000000;
  FILETIME then = {static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
  HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
  ::SetFileTime(file, NULL, NULL, &then);
  ::CloseHandle(file);
}

TEST(FileOperations, ADeleteTheRecycleBinCannotTakeLeavesTheMemo) {
  const struct {
    const char* name;
    FileCall call;  // Any: no call fails
    DWORD error;
    bool noRecycleBin;
    TrashResult result;
  } cases[] = {
      {"the bin takes it", FileCall::Any, 0, false, TrashResult::Trashed},
      {"the bin deletes it for good", FileCall::Any, 0, true, TrashResult::NotTrashable},
      {"no second name on this drive", FileCall::Link, ERROR_INVALID_FUNCTION, false, TrashResult::NotTrashable},
      {"the shell refuses", FileCall::Trash, ERROR_ACCESS_DENIED, false, TrashResult::Failed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string memo = folder / "memo.txt";
    ASSERT_TRUE(WriteFileBytes(memo, "the memo"));
    FaultyFileOps ops;
    ops.noRecycleBin = c.noRecycleBin;
    if (c.call != FileCall::Any) ops.Fail(c.call, c.error);
    EXPECT_EQ(c.result, TrashMemoFile(ops, memo.c_str()));
    EXPECT_EQ(c.result == TrashResult::Trashed ? "" : "the memo", ReadFileBytes(memo));
    EXPECT_TRUE(NoTemporaryIn(folder.Path()));
  }
}

TEST(FileOperations, AnImportIsWholeOrNothingAndKeepsTheSourcesAttributes) {
  const struct {
    const char* name;
    DWORD attributes;
    FileCall call;  // Any: no call fails
  } cases[] = {
      {"read-only", FILE_ATTRIBUTE_READONLY, FileCall::Any},
      {"hidden", FILE_ATTRIBUTE_HIDDEN, FileCall::Any},
      {"a read fails", FILE_ATTRIBUTE_READONLY, FileCall::Read},
      {"a write fails", FILE_ATTRIBUTE_READONLY, FileCall::Write},
      {"the flush fails", FILE_ATTRIBUTE_READONLY, FileCall::Flush},
      {"the attributes cannot be set", FILE_ATTRIBUTE_READONLY, FileCall::SetAttributes},
      {"the rename into place fails", FILE_ATTRIBUTE_READONLY, FileCall::Move},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder source, memos;
    const std::string dropped = source / "dropped.txt", copy = memos / "dropped.txt";
    const std::string bytes = Large(300000);
    ASSERT_TRUE(WriteFileBytes(dropped, bytes));
    ::SetFileAttributesA(dropped.c_str(), c.attributes);
    FaultyFileOps ops;
    if (c.call != FileCall::Any) ops.Fail(c.call, ERROR_DISK_FULL);
    bool copied = CopyToNewMemoFile(ops, dropped.c_str(), copy.c_str());
    DWORD error = ::GetLastError();
    EXPECT_EQ(c.call == FileCall::Any, copied);
    EXPECT_TRUE(NoTemporaryIn(memos.Path()));
    if (copied) {
      EXPECT_TRUE(bytes == ReadFileBytes(copy));
      EXPECT_EQ(c.attributes, ::GetFileAttributesA(copy.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    } else {
      EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), error);
      EXPECT_FALSE(FileExists(copy));
    }
    for (const std::string& path : {dropped, copy}) MakeWritable(path);
  }
}

// A save waits while another program holds the memo a moment, for no more
// than the budget of its thread allows.
TEST(FileOperations, ASaveWaitsForABusyMemoOnlyWithinItsBudget) {
  const struct {
    const char* name;
    int budgetMs;  // -1: none set
    DWORD waited;
  } cases[] = {{"no budget", -1, 2000}, {"none left", 0, 0}, {"a part", 100, 70}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string memo = folder / "memo.txt";
    ASSERT_TRUE(WriteFileBytes(memo, "the memo"));
    FaultyFileOps ops;
    ops.Fail(FileCall::Move, ERROR_SHARING_VIOLATION, 0);
    std::optional<WaitBudget> budget;
    if (c.budgetMs >= 0) budget.emplace(c.budgetMs);
    MemoFileStamp stamp;
    EXPECT_FALSE(SaveMemoFile(ops, memo.c_str(), "new", stamp));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), ::GetLastError());
    EXPECT_EQ(c.waited, ops.waited);
    EXPECT_EQ("the memo", ReadFileBytes(memo));
  }
}

// Another drive, as the platform reports it: the copy is whole and on the
// disk before the original goes, however large the memo.
TEST(FileOperations, AMoveToAnotherDriveDeletesTheOriginalOnlyOnceTheCopyIsWhole) {
  const struct {
    const char* name;
    FileCall call;  // Any: nothing fails but the rename across drives
  } cases[] = {{"whole", FileCall::Any}, {"a write fails", FileCall::Write}, {"the original cannot go", FileCall::Delete}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder from, to;
    const std::string memo = from / "memo.txt", moved = to / "memo.txt";
    const std::string bytes = Large(48100000);
    ASSERT_TRUE(WriteFileBytes(memo, bytes));
    FaultyFileOps ops;
    ops.Fail(FileCall::Move, ERROR_NOT_SAME_DEVICE);
    if (c.call != FileCall::Any) ops.Fail(c.call, ERROR_DISK_FULL);
    bool done = RenameMemoFile(ops, memo.c_str(), moved.c_str());
    EXPECT_EQ(c.call == FileCall::Any, done);
    EXPECT_TRUE(bytes == ReadFileBytes(done ? moved : memo)) << "the memo is cut or gone";
    EXPECT_EQ(!done, FileExists(memo));
    EXPECT_EQ(done, FileExists(moved));
    EXPECT_TRUE(NoTemporaryIn(to.Path()));
  }
}

// A real second drive: a tmpfs mounted in the prefix (the test runs as root).
TEST(FileOperations, AMoveToAnotherDriveKeepsEveryByte) {
  TempFolder from, mountFolder;
  const std::string mountPoint = UnixPathOf(mountFolder.Path());
  ASSERT_EQ(0, RunUnixCommand("mount -t tmpfs -o size=64m scribbit '" + mountPoint + "'")) << "mount needs root";
  const std::string memo = from / "memo.txt", moved = mountFolder / "memo.txt";
  const std::string bytes = Large(48100000);
  ASSERT_TRUE(WriteFileBytes(memo, bytes));
  EXPECT_TRUE(RenameMemoFile(PlatformMemoFileOps(), memo.c_str(), moved.c_str()));
  EXPECT_EQ(bytes.size(), ReadFileBytes(moved).size());
  EXPECT_TRUE(bytes == ReadFileBytes(moved));
  EXPECT_FALSE(FileExists(memo));
  ::DeleteFileA(moved.c_str());
  EXPECT_EQ(0, RunUnixCommand("umount '" + mountPoint + "'"));
}

TEST(FileOperations, TheSweepTakesOnlyWhatAMemoHoldsWholeAndCutsNothing) {
  TempFolder folder;
  const std::string large = folder / "~sb0badf00d.tmp", left = folder / "~sb00000001.tmp", locked = folder / "~sb00000002.tmp",
                    young = folder / "~sb00000003.tmp";
  const std::string bytes = Large(40000000);
  ASSERT_TRUE(WriteFileBytes(large, bytes));
  ASSERT_TRUE(WriteFileBytes(left, "text a save left"));
  ASSERT_TRUE(WriteFileBytes(locked, "a read-only leftover"));
  ASSERT_TRUE(WriteFileBytes(young, "a save may still rename this"));
  for (const std::string& path : {large, left, locked}) DateBack(path, 3600);
  // Seconds old: a save that wrote it may still be about to rename it.
  DateBack(young, 5);
  ::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
  bool youngLeft = false;
  std::vector<std::string> kept = ClearLeftoverTemporaries(PlatformMemoFileOps(), folder.Path() + "\\", youngLeft);
  EXPECT_TRUE(youngLeft);
  EXPECT_TRUE(bytes == ReadFileBytes(large)) << "a file larger than any memo was cut";
  EXPECT_TRUE(FileExists(young));
  ASSERT_EQ(2u, kept.size());
  // The store's paths are UTF-8, and read through it.
  std::string keptBytes[2];
  MemoFileStamp stamp;
  for (int i = 0; i < 2; ++i) LoadMemoFile(PlatformMemoFileOps(), kept[i].c_str(), keptBytes[i], stamp);
  EXPECT_EQ("text a save left", keptBytes[0]);
  EXPECT_EQ("a read-only leftover", keptBytes[1]);
  EXPECT_FALSE(FileExists(left));
  EXPECT_FALSE(FileExists(locked));
  for (const std::string& path : kept) PlatformMemoFileOps().SetAttributes(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Edits that no folder takes stay in their record, and the report names it.
TEST(FileOperations, EditsNoFolderTakesStayInTheirRecord) {
  TempFolder folder;
  const std::string recordPath = folder / "dead0001.rcv";
  RecoveryRecord record;
  record.owner = "dead0001";
  record.serial = 1;
  record.folder = "C:\\nowhere\\";
  record.title = "unset";
  record.text = u"edits";
  ASSERT_TRUE(WriteFileBytes(recordPath, FormatRecoveryRecord(record)));
  FaultyFileOps ops;
  ops.Fail(FileCall::Open, ERROR_DISK_FULL, 0, "folder1");
  RecoveryFolder recovery(ops);
  recovery.SetPath(folder.Path() + "\\");
  MemoHistory history(ops);
  history.SetPath(folder / "History\\");
  std::vector<RestoredEdits> restored = RestoreAbandonedEdits(recovery, history, {folder / "folder1\\"});
  ASSERT_EQ(1u, restored.size());
  EXPECT_EQ(RestoredEdits::Kept, restored[0].outcome);
  EXPECT_EQ(recordPath, restored[0].place);
  EXPECT_TRUE(FileExists(recordPath));
}

// The lock a tool holds while it runs keeps its record from every other
// start, until the tool lets it go.
TEST(FileOperations, ARunningToolsRecordIsNoOtherStartsToRestore) {
  TempFolder folder;
  RecoveryFolder running(PlatformMemoFileOps()), starting(PlatformMemoFileOps());
  running.SetPath(folder.Path() + "\\");
  starting.SetPath(folder.Path() + "\\");
  RecoveryRecord record;
  record.text = u"edits";
  ASSERT_TRUE(running.Write(record));
  EXPECT_TRUE(starting.Abandoned().empty());
  running.Release();
  EXPECT_EQ(1u, starting.Abandoned().size());
}

// A file of a mapped network or SUBST drive has a final path of its own, the
// drive's real path, which may pass MAX_PATH: its writes go to the memo's
// own path, which reaches the same file.
TEST(FileOperations, AFinalPathPastMaxPathOfAPlainFileLeavesTheMemosOwnPath) {
  struct MappedDrive : FaultyFileOps {
    bool FinalPath(HANDLE, std::string& path) override {
      path = "\\\\?\\UNC\\server\\share\\" + std::string(236, 'd') + "\\memo.txt";
      return true;
    }
  } mapped;
  TempFolder folder;
  ASSERT_TRUE(WriteFileBytes(folder / "memo.txt", "memo"));
  std::string target;
  EXPECT_TRUE(WriteTargetOf(mapped, (folder / "memo.txt").c_str(), target));
  EXPECT_EQ(folder / "memo.txt", target);
}

// The history reads each version's time from its name and a memo's deletion
// from its index; a renamed memo's versions go with it.
TEST(FileOperations, TheHistoryPrunesByItsScheduleAndFollowsARename) {
  TempFolder folder;
  MemoHistory history(PlatformMemoFileOps());
  history.SetPath(folder / "history\\");
  const std::string memo = folder / "memo.txt", renamed = folder / "renamed.txt";
  ASSERT_TRUE(WriteFileBytes(memo, "memo"));
  const std::string kept = history.Keep(memo.c_str(), "memo");
  ASSERT_FALSE(kept.empty());
  ASSERT_TRUE(::DeleteFileA(kept.c_str()));
  const std::string versions = kept.substr(0, kept.rfind('\\') + 1);
  for (const char* name : {"20261208-115900-000", "20261206-120000-000", "20261206-080000-000", "20261001-120000-000"})
    ASSERT_TRUE(WriteFileBytes(versions + name + ".txt", name));
  const SYSTEMTIME noon = {2026, 12, 2, 8, 12, 0, 0, 0};
  FILETIME time;
  ::SystemTimeToFileTime(&noon, &time);
  const uint64_t now = static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
  history.Prune(now);
  history.Follow(memo.c_str(), renamed.c_str());
  EXPECT_TRUE(history.VersionsOf(memo.c_str()).empty());
  std::vector<std::string> left;
  for (const MemoHistory::Version& version : history.VersionsOf(renamed.c_str())) left.push_back(ReadFileBytes(version.path));
  EXPECT_EQ((std::vector<std::string>{"20261208-115900-000", "20261206-120000-000"}), left);
  // A save that stopped between keeping its version and replacing the memo
  // left the memo a second name: the next open takes it back, and the memo
  // stays editable.
  MemoSession session(PlatformMemoFileOps());
  session.History().SetPath(folder / "history\\");
  session.Open(folder.Path() + "\\", "renamed", MemoKindText);
  ASSERT_TRUE(WriteFileBytes(renamed, "renamed"));
  ASSERT_FALSE(session.History().Keep(renamed.c_str(), "renamed").empty());
  session.Load();
  EXPECT_EQ(NeverWriteReason::None, session.NeverWrites());
  EXPECT_EQ(2u, history.VersionsOf(renamed.c_str()).size());
  // Deleted, its versions stay a month.
  history.MarkRemoved(renamed.c_str());
  history.Prune(now + 29 * HistoryDay);
  EXPECT_EQ(1u, history.VersionsOf(renamed.c_str()).size());
  history.Prune(now + 31 * HistoryDay);
  EXPECT_TRUE(history.VersionsOf(renamed.c_str()).empty());
}

}  // namespace
