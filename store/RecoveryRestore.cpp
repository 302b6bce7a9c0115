#include "store/RecoveryRestore.h"

#include <map>

#include "core/MemoChecksum.h"
#include "core/MemoPaths.h"
#include "core/MemoBytes.h"
#include "core/MemoText.h"

namespace {

// The title a leftover temporary file's text is kept under.
const char leftoverTitle[] = u8"復元されたメモ";
// A save renames its temporary file at once after closing it: one younger
// than this may be about to be renamed.
const ULONGLONG leftoverAgeMs = 10000;

bool SameFolder(const std::string& a, const std::string& b) { return SameNames(a, b); }

bool IsSet(const std::vector<std::string>& setFolders, const std::string& folder) {
  for (const std::string& set : setFolders)
    if (SameFolder(set, folder)) return true;
  return false;
}

// Another installation's tool under the same Windows profile shares the
// recovery folder: its records wait for it, however long. A record of
// before the home line goes to any tool, as it always did.
bool BelongsHere(const RecoveryRecord& record, const std::vector<std::string>& setFolders) {
  return record.home.empty() || IsSet(setFolders, record.folder) || (!setFolders.empty() && SameFolder(record.home, setFolders[0]));
}

// A new memo of folder 1 of that title.
bool SaveInFolder1(MemoFileOps& ops, const std::vector<std::string>& setFolders, const std::string& title, const std::string& bytes,
                   RestoredEdits& restored) {
  std::string saved;
  if (setFolders.empty() || !SaveAsNewMemo(ops, setFolders[0], title, 1, bytes, saved)) return false;
  restored.outcome = RestoredEdits::InFolder1;
  restored.place = setFolders[0] + saved + ".txt";
  return true;
}

// Puts one record's text where it belongs; false when it is there already.
bool Restore(MemoFileOps& ops, MemoHistory& history, const RecoveryRecord& record, const std::vector<std::string>& setFolders,
             RestoredEdits& restored) {
  restored.title = record.title;
  char path[MemoPathSize];
  if (!IsSet(setFolders, record.folder) || !FormMemoFilePath(record.folder.c_str(), record.title.c_str(), ".txt", path, sizeof(path))) {
    if (!SaveInFolder1(ops, setFolders, record.title, MemoCopyBytes(record.text, record.encoding, nullptr), restored))
      restored.outcome = RestoredEdits::Kept;
    return true;
  }
  std::string current;
  MemoFileStamp stamp;
  MemoLoadResult loaded = LoadMemoFile(ops, path, current, stamp);
  // The memo as the edits started from: their bytes follow the same rule as
  // a save, so what the edits did not touch keeps the file's own bytes.
  bool base = loaded == MemoLoadResult::Loaded && record.baseExists && stamp.size == record.baseSize &&
              MemoChecksum(current.data(), current.size()) == record.baseChecksum;
  MemoText text = DecodeMemoText(current.data(), current.size());
  if (loaded == MemoLoadResult::Loaded && text.verdict == MemoVerdict::Editable && text.text == record.text) return false;
  MemoFileImage image = {current, text};
  MemoEncoding encoding = record.encoding;
  std::string bytes;
  bool fits = MemoBytesFor(record.text, encoding, base ? &image : nullptr, bytes);
  restored.place = path;
  if (fits && loaded == MemoLoadResult::Missing) {
    restored.outcome = RestoredEdits::Recreated;
    if (CreateMemoFile(ops, path, bytes, stamp)) return true;
  } else if (fits && base) {
    restored.outcome = RestoredEdits::IntoMemo;
    // What the memo held stays as a version, as before any save.
    if (!IsMemoFileReadOnly(ops, path)) {
      std::string version = history.Keep(path, current);
      if (SaveMemoFile(ops, path, bytes, stamp)) return true;
      history.Drop(version);
    }
  }
  // Code page 932 may lack characters the pane held: those edits go to a
  // UTF-8 memo of their own, and the memo keeps its encoding.
  if (!fits) bytes = MemoCopyBytes(record.text, record.encoding, base ? &image : nullptr);
  std::string saved;
  if (SaveAsNewMemo(ops, record.folder, record.title, 2, bytes, saved)) {
    restored.outcome = fits ? RestoredEdits::BesideMemo : RestoredEdits::BesideInUtf8;
    restored.place = record.folder + saved + ".txt";
    return true;
  }
  if (!SaveInFolder1(ops, setFolders, record.title, bytes, restored)) restored.outcome = RestoredEdits::Kept;
  return true;
}

// Deletes a leftover whatever attributes a save that stopped gave it.
void DeleteLeftover(MemoFileOps& ops, const std::string& path) {
  ops.SetAttributes(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteMemoFile(ops, path.c_str());
}

// A memo of the folder holds exactly these bytes already.
bool HeldByMemo(MemoFileOps& ops, const std::string& folder, const std::string& bytes) {
  if (bytes.empty()) return true;
  bool held = false;
  FoundFile memo;
  HANDLE memos = ops.FindFirst((folder + "*.txt").c_str(), &memo);
  if (memos == INVALID_HANDLE_VALUE) return false;
  do {
    if (memo.size != bytes.size()) continue;
    std::string text;
    MemoFileStamp memoStamp;
    held = LoadMemoFile(ops, (folder + memo.name).c_str(), text, memoStamp) == MemoLoadResult::Loaded && text == bytes;
  } while (!held && ops.FindNext(memos, &memo));
  ops.FindClose(memos);
  return held;
}

}  // namespace

std::vector<RestoredEdits> RestoreAbandonedEdits(RecoveryFolder& recovery, MemoHistory& history,
                                                 const std::vector<std::string>& setFolders) {
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
    if (record.readable && !BelongsHere(record.record, setFolders)) continue;
    if (!record.readable) {
      report.push_back(restored);
      continue;
    }
    bool superseded = !record.record.owner.empty() && newest[record.record.owner] != record.record.serial;
    if (!superseded && Restore(recovery.Ops(), history, record.record, setFolders, restored)) {
      if (restored.outcome == RestoredEdits::Kept) restored.place = record.path;
      report.push_back(restored);
      if (restored.outcome == RestoredEdits::Kept) continue;
    }
    DeleteMemoFile(recovery.Ops(), record.path.c_str());
  }
  return report;
}

std::vector<std::string> ClearLeftoverTemporaries(MemoFileOps& ops, const std::string& folder, bool& youngLeft) {
  std::vector<std::string> kept;
  youngLeft = false;
  FoundFile entry;
  HANDLE find = ops.FindFirst((folder + "~sb*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return kept;
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  auto ticks = [](const FILETIME& time) { return static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime; };
  do {
    if (!IsTemporaryName(entry.name.c_str()) || (entry.attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    // Only what a memo of ours can hold whole is ours to take: a larger file
    // of that name is somebody else's, and stays as it is.
    if (entry.size > MemoLoadLimit) continue;
    std::string path = folder + entry.name;
    if (ticks(now) - ticks(entry.lastWrite) < leftoverAgeMs * 10000 || IsFileInUse(ops, path.c_str())) {
      youngLeft = true;
      continue;
    }
    std::string bytes;
    MemoFileStamp stamp;
    if (LoadMemoFile(ops, path.c_str(), bytes, stamp) != MemoLoadResult::Loaded) continue;
    if (HeldByMemo(ops, folder, bytes)) {
      DeleteLeftover(ops, path);
      continue;
    }
    // The file itself becomes the memo, by a rename: nothing of it is read
    // into memory and written again.
    std::string title;
    if (PlaceAsNewMemo(
            ops, folder, leftoverTitle, 1,
            [&](const char* memoPath) { return ops.Move(path.c_str(), memoPath, MOVEFILE_WRITE_THROUGH) != FALSE; }, title)) {
      FlushFolderOf(ops, path.c_str());
      kept.push_back(folder + title + ".txt");
    }
  } while (ops.FindNext(find, &entry));
  ops.FindClose(find);
  return kept;
}
