#include "store/RecoveryRestore.h"

#include <map>

#include "core/MemoChecksum.h"
#include "core/MemoPaths.h"
#include "store/MemoSession.h"

namespace {

// The title a leftover temporary file's text is kept under.
const char leftoverTitle[] = "復元されたメモ";
// A save renames its temporary file at once after closing it: one younger
// than this may be about to be renamed.
const ULONGLONG leftoverAgeMs = 10000;

bool SameFolder(const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) == 0; }

bool IsSet(const std::vector<std::string>& setFolders, const std::string& folder) {
  for (const std::string& set : setFolders)
    if (SameFolder(set, folder)) return true;
  return false;
}

// A new memo of folder 1 of that title.
bool SaveInFolder1(const std::vector<std::string>& setFolders, const std::string& title, const std::string& bytes,
                   RestoredEdits& restored) {
  std::string saved;
  if (setFolders.empty() || !SaveAsNewMemo(PlatformMemoFileOps(), setFolders[0], title, 1, bytes, saved)) return false;
  restored.outcome = RestoredEdits::InFolder1;
  restored.place = setFolders[0] + saved + ".txt";
  return true;
}

// Puts one record's text where it belongs; false when it is there already.
bool Restore(const RecoveryRecord& record, const std::vector<std::string>& setFolders, RestoredEdits& restored) {
  MemoFileOps& ops = PlatformMemoFileOps();
  // Code page 932 may lack characters the pane held: those edits go to a
  // UTF-8 memo of their own, and the memo keeps its encoding.
  std::string bytes;
  bool fits = EncodeMemoText(record.text.data(), record.text.size(), record.encoding, bytes);
  if (!fits) EncodeMemoText(record.text.data(), record.text.size(), MemoEncoding::Utf8Bom, bytes);
  restored.title = record.title;
  char path[MAX_PATH];
  if (!IsSet(setFolders, record.folder) || !FormMemoFilePath(record.folder.c_str(), record.title.c_str(), ".txt", path, sizeof(path))) {
    if (!SaveInFolder1(setFolders, record.title, bytes, restored)) restored.outcome = RestoredEdits::Kept;
    return true;
  }
  std::string current;
  MemoFileStamp stamp;
  MemoLoadResult loaded = LoadMemoFile(ops, path, current, stamp);
  if (loaded == MemoLoadResult::Loaded && current == bytes) return false;
  restored.place = path;
  if (fits && loaded == MemoLoadResult::Missing) {
    restored.outcome = RestoredEdits::Recreated;
    if (CreateMemoFile(ops, path, bytes, stamp)) return true;
  } else if (fits && loaded == MemoLoadResult::Loaded && record.baseExists && stamp.size == record.baseSize &&
             stamp.checksum == record.baseChecksum) {
    restored.outcome = RestoredEdits::IntoMemo;
    if (!IsMemoFileReadOnly(path) && SaveMemoFile(ops, path, bytes, stamp)) return true;
  }
  std::string saved;
  if (SaveAsNewMemo(ops, record.folder, record.title, 2, bytes, saved)) {
    restored.outcome = RestoredEdits::BesideMemo;
    restored.place = record.folder + saved + ".txt";
    return true;
  }
  if (!SaveInFolder1(setFolders, record.title, bytes, restored)) restored.outcome = RestoredEdits::Kept;
  return true;
}

}  // namespace

std::vector<RestoredEdits> RestoreAbandonedEdits(RecoveryFolder& recovery, const std::vector<std::string>& setFolders) {
  std::vector<RestoredEdits> report;
  std::vector<RecoveryFolder::Found> found = recovery.Abandoned();
  // One owner's newest record holds its edits; its older ones (a write that
  // stopped before its rename leaves two) hold less.
  std::map<std::string, uint32_t> newest;
  for (const RecoveryFolder::Found& record : found)
    if (record.readable && !record.record.owner.empty() && newest[record.record.owner] < record.record.serial)
      newest[record.record.owner] = record.record.serial;
  for (const RecoveryFolder::Found& record : found) {
    RestoredEdits restored = {RestoredEdits::Kept, std::string(), record.path};
    if (!record.readable) {
      report.push_back(restored);
      continue;
    }
    bool superseded = !record.record.owner.empty() && newest[record.record.owner] != record.record.serial;
    if (!superseded && Restore(record.record, setFolders, restored)) {
      if (restored.outcome == RestoredEdits::Kept) restored.place = record.path;
      report.push_back(restored);
      if (restored.outcome == RestoredEdits::Kept) continue;
    }
    DeleteMemoFile(record.path.c_str());
  }
  return report;
}

std::vector<std::string> ClearLeftoverTemporaries(MemoFileOps& ops, const std::string& folder, bool& youngLeft) {
  std::vector<std::string> kept;
  youngLeft = false;
  WIN32_FIND_DATAA entry;
  HANDLE find = ::FindFirstFileA((folder + "~sb*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return kept;
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  auto ticks = [](const FILETIME& time) { return static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime; };
  do {
    if (!IsTemporaryName(entry.cFileName)) continue;
    std::string path = folder + entry.cFileName;
    if (ticks(now) - ticks(entry.ftLastWriteTime) < leftoverAgeMs * 10000 || IsFileInUse(path.c_str())) {
      youngLeft = true;
      continue;
    }
    std::string bytes;
    MemoFileStamp stamp;
    if (LoadMemoFile(ops, path.c_str(), bytes, stamp) != MemoLoadResult::Loaded) continue;
    bool held = bytes.empty();
    // A memo of the same size and bytes holds the text already.
    WIN32_FIND_DATAA memo;
    HANDLE memos = held ? INVALID_HANDLE_VALUE : ::FindFirstFileA((folder + "*.txt").c_str(), &memo);
    if (memos != INVALID_HANDLE_VALUE) {
      do {
        if (memo.nFileSizeHigh != 0 || memo.nFileSizeLow != bytes.size()) continue;
        std::string text;
        MemoFileStamp memoStamp;
        held = LoadMemoFile(ops, (folder + memo.cFileName).c_str(), text, memoStamp) == MemoLoadResult::Loaded && text == bytes;
      } while (!held && ::FindNextFileA(memos, &memo));
      ::FindClose(memos);
    }
    std::string title;
    if (!held) {
      if (!SaveAsNewMemo(ops, folder, leftoverTitle, 1, bytes, title)) continue;
      kept.push_back(folder + title + ".txt");
    }
    DeleteMemoFile(path.c_str());
  } while (::FindNextFileA(find, &entry));
  ::FindClose(find);
  return kept;
}
