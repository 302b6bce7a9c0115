#include "store/MemoSession.h"

#include <algorithm>
#include <cstring>

#include "core/MemoPaths.h"
#include "core/MemoTitle.h"

namespace {

// Numbered titles tried for a new memo before giving up.
const int newTitleTries = 1000;

bool Exists(const char* path) { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

uint64_t FileTimeValue(const FILETIME& time) { return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime; }

}  // namespace

void MemoSession::Open(const std::string& folder, const std::string& title) {
  this->folder = folder;
  this->title = title;
  deviceName = IsReservedDeviceName(title.c_str());
  writePath.clear();
  stamp = MemoFileStamp();
  encoding = MemoEncoding::Cp932;
  incomplete = false;
}

void MemoSession::Retitle(const std::string& title) {
  this->title = title;
  deviceName = IsReservedDeviceName(title.c_str());
  char path[MAX_PATH];
  if (deviceName || !FilePath(".txt", path) || !WriteTargetOf(path, writePath)) writePath.clear();
}

void MemoSession::Close() {
  DropRecovery();
  stamp = MemoFileStamp();
  incomplete = false;
}

bool MemoSession::FilePath(const char* extension, char* out) const {
  if (folder.empty()) {
    out[0] = '\0';
    return false;
  }
  return FormMemoFilePath(folder.c_str(), title.c_str(), extension, out, MAX_PATH);
}

std::string MemoSession::ReadPath() const {
  char path[MAX_PATH];
  if (!FilePath(".txt", path)) return std::string();
  return deviceName ? LiteralPath(path) : std::string(path);
}

MemoLoadResult MemoSession::Load() {
  loaded = MemoText();
  loadedBytes.clear();
  std::string path = ReadPath();
  if (path.empty()) return MemoLoadResult::Unreadable;
  MemoLoadResult result = LoadMemoFile(*fileOps, path.c_str(), loadedBytes, stamp);
  loaded = DecodeMemoText(loadedBytes.data(), loadedBytes.size());
  encoding = loaded.encoding;
  if (!deviceName && !WriteTargetOf(path.c_str(), writePath)) writePath.clear();
  return result;
}

bool MemoSession::IsReadOnly() const { return deviceName || writePath.empty() || IsMemoFileReadOnly(writePath.c_str()); }

MemoDiskState MemoSession::Check(bool beforeWrite) {
  std::string path = ReadPath();
  if (path.empty()) return MemoDiskState::Unchanged;
  return CheckMemoFile(*fileOps, path.c_str(), stamp, beforeWrite);
}

void MemoSession::Restamp() {
  MemoEncoding kept = encoding;
  Load();
  encoding = kept;
}

bool MemoSession::FileBytes(const std::u16string& paneText, std::string& bytes, std::u16string* missing) {
  bool whole = encoding == loaded.encoding && loaded.verdict == MemoVerdict::Editable
                   ? ReencodeEdited(loadedBytes, loaded, paneText, bytes, missing)
                   : EncodeMemoText(paneText.data(), paneText.size(), encoding, bytes, missing);
  if (!whole) return false;
  // Without its mark a UTF-8 memo must still read as UTF-8; ASCII alone reads the same either way.
  if (encoding == MemoEncoding::Utf8 && DetectMemoEncoding(bytes.data(), bytes.size()) != MemoEncoding::Utf8 &&
      std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
    encoding = MemoEncoding::Utf8Bom;
    return EncodeMemoText(paneText.data(), paneText.size(), encoding, bytes, missing);
  }
  return true;
}

bool MemoSession::Save(const std::string& bytes) {
  char path[MAX_PATH];
  if (!FilePath(".txt", path)) {
    ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  // A memo whose file vanished is written again under its own name.
  if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES && !deviceName) writePath = path;
  if (IsReadOnly()) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  if (!SaveMemoFile(*fileOps, writePath.c_str(), bytes, stamp)) return false;
  // What the file holds now is what later edits are told from.
  loadedBytes = bytes;
  loaded = DecodeMemoText(bytes.data(), bytes.size());
  DropRecovery();
  return true;
}

bool MemoSession::KeepForRecovery(const std::u16string& paneText, bool forNextStart) {
  RecoveryRecord record;
  record.folder = folder;
  record.title = title;
  record.encoding = encoding;
  record.baseExists = stamp.exists;
  record.baseSize = stamp.size;
  record.baseLastWrite = FileTimeValue(stamp.lastWrite);
  record.baseChecksum = stamp.checksum;
  record.text = paneText;
  return recovery.Write(record, forNextStart);
}

bool SaveAsNewMemo(MemoFileOps& ops, const std::string& folder, const std::string& title, int firstTry, const std::string& bytes,
                   std::string& savedTitle) {
  // Room for the longest extension a memo of that title may have, and for a
  // list entry.
  if (folder.empty() || folder.size() + std::strlen(".html") >= MAX_PATH - 1) return false;
  size_t room = MAX_PATH - 1 - folder.size() - std::strlen(".html");
  if (room > MemoTitleBufferSize - 1) room = MemoTitleBufferSize - 1;
  for (int n = firstTry; n < firstTry + newTitleTries; ++n) {
    savedTitle = NumberedTitle(title, n, room);
    if (savedTitle.empty()) return false;
    char path[MAX_PATH], html[MAX_PATH], htm[MAX_PATH];
    if (!FormMemoFilePath(folder.c_str(), savedTitle.c_str(), ".txt", path, sizeof(path)) ||
        !FormMemoFilePath(folder.c_str(), savedTitle.c_str(), ".html", html, sizeof(html)) ||
        !FormMemoFilePath(folder.c_str(), savedTitle.c_str(), ".htm", htm, sizeof(htm)))
      return false;
    // A title that any memo of the folder has, text or HTML, would make two entries alike.
    if (Exists(path) || Exists(html) || Exists(htm)) continue;
    MemoFileStamp stamp;
    if (CreateMemoFile(ops, path, bytes, stamp)) return true;
    // Only a file that appeared meanwhile is worth another title.
    DWORD error = ::GetLastError();
    if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return false;
  }
  return false;
}
