#include "store/MemoSession.h"

#include "core/MemoBytes.h"
#include "core/MemoChecksum.h"
#include "core/MemoPaths.h"
#include "core/MemoTitle.h"

namespace {

uint64_t FileTimeValue(const FILETIME& time) { return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime; }

WriteResult Outcome(WriteOutcome outcome, DWORD error = 0) {
  WriteResult result;
  result.outcome = outcome;
  result.error = error;
  return result;
}

}  // namespace

MemoSession::MemoSession(MemoFileOps& fileOps) : ops(&fileOps), recovery(fileOps), history(fileOps) {}

void MemoSession::Open(const std::string& memoFolder, const std::string& memoTitle, DWORD memoKind) {
  folder = memoFolder;
  title = memoTitle;
  kind = memoKind;
  deviceName = IsReservedDeviceName(title.c_str());
  writePath.clear();
  neverWrite = folder.empty() ? NeverWriteReason::PathTooLong : NeverWriteReason::None;
  stamp = MemoFileStamp();
  loadedBytes.clear();
  loaded = MemoText();
  encoding = MemoEncoding::Cp932;
  reading.reset();
  conversion.reset();
}

void MemoSession::Close() {
  DropRecovery();
  kind = 0;
  stamp = MemoFileStamp();
  neverWrite = NeverWriteReason::None;
}

void MemoSession::Retitle(const std::string& memoTitle) {
  title = memoTitle;
  deviceName = IsReservedDeviceName(title.c_str());
  char path[MemoPathSize];
  if (deviceName || !FilePath(".txt", path) || !WriteTargetOf(*ops, path, writePath)) writePath.clear();
}

bool MemoSession::FilePath(const char* extension, char* out) const {
  if (folder.empty()) {
    out[0] = '\0';
    return false;
  }
  return FormMemoFilePath(folder.c_str(), title.c_str(), extension, out, MemoPathSize);
}

bool MemoSession::HtmlPath(char* out) const {
  if (!FilePath(".html", out)) return false;
  std::string html = deviceName ? LiteralPath(out) : std::string(out);
  return MemoFileExists(*ops, html.c_str()) || FilePath(".htm", out);
}

std::string MemoSession::ReadPath() const {
  char path[MemoPathSize];
  if (!FilePath(".txt", path)) return std::string();
  return deviceName ? LiteralPath(path) : std::string(path);
}

MemoLoadResult MemoSession::ReadFile() {
  std::string path = ReadPath();
  MemoLoadResult result = LoadMemoFile(*ops, path.c_str(), loadedBytes, stamp);
  if (stamp.exists) stamp.links = MemoFileLinks(*ops, path.c_str());
  if (stamp.links > 1 && history.ReleaseLeftName(path.c_str())) stamp.links = MemoFileLinks(*ops, path.c_str());
  loaded = Decode(loadedBytes);
  encoding = loaded.encoding;
  if (deviceName || !WriteTargetOf(*ops, path.c_str(), writePath)) writePath.clear();
  return result;
}

MemoText MemoSession::Decode(const std::string& bytes) const {
  return reading ? DecodeMemoTextAs(bytes.data(), bytes.size(), *reading) : DecodeMemoText(bytes.data(), bytes.size());
}

std::u16string MemoSession::VersionText(const std::string& path) {
  std::string bytes;
  MemoFileStamp version;
  LoadMemoFile(*ops, path.c_str(), bytes, version);
  return Decode(bytes).text;
}

MemoView MemoSession::LoadAs(std::optional<MemoEncoding> chosen) {
  reading = chosen;
  conversion.reset();
  return Load();
}

void MemoSession::ConvertTo(MemoEncoding target) {
  if (target == encoding)
    conversion.reset();
  else
    conversion = target;
}

std::string MemoSession::CopyBytes(const std::u16string& paneText) const {
  MemoFileImage image = Image();
  return MemoCopyBytes(paneText, WrittenEncoding(), conversion ? nullptr : &image);
}

MemoView MemoSession::Load() {
  // The pane shows the file from here on: no edit is left to recover.
  DropRecovery();
  std::string path = ReadPath();
  if (path.empty()) {
    lastLoad = MemoLoadResult::Unreadable;
    neverWrite = NeverWriteReason::PathTooLong;
    return MemoView();
  }
  lastLoad = ReadFile();
  return View();
}

MemoView MemoSession::View() {
  MemoView view;
  neverWrite = NeverWriteReason::None;
  switch (lastLoad) {
    case MemoLoadResult::Loaded:
    case MemoLoadResult::ReadError:
    case MemoLoadResult::TooLarge: {
      view.text = loaded.text;
      PaneLoss loss = FitPaneText(view.text);
      if (loss == PaneLoss::Cut) view.notice = MemoView::Notice::Overflow;
      if (loss != PaneLoss::None || lastLoad == MemoLoadResult::TooLarge) neverWrite = NeverWriteReason::Cut;
      // Bytes that are no character of the encoding would be changed by a write.
      if (loaded.verdict != MemoVerdict::Editable) neverWrite = NeverWriteReason::NotItsEncoding;
      // What follows a failed read is unknown: the pane never replaces it.
      if (lastLoad == MemoLoadResult::ReadError) neverWrite = NeverWriteReason::Unreadable;
      // A save gives the memo's name a new file: the file's other names would keep the old text.
      if (stamp.links > 1) neverWrite = NeverWriteReason::HardLink;
      break;
    }
    case MemoLoadResult::Unreadable:
      // Another program holds it, or it is not a file: it is not empty, and
      // the notice must never replace it.
      view.notice = MemoView::Notice::Created;
      neverWrite = NeverWriteReason::Unreadable;
      break;
    case MemoLoadResult::Missing:
      // Another program removed or renamed it since it was listed: a file
      // of the name is made by the user's own New, never by a look at it.
      view.notice = MemoView::Notice::Missing;
      neverWrite = NeverWriteReason::Missing;
      break;
  }
  if (deviceName) neverWrite = NeverWriteReason::DeviceName;
  view.fileReadOnly = IsMemoFileReadOnly(*ops, ReadPath().c_str());
  return view;
}

MemoView MemoSession::LoadHtmlAsText() {
  MemoView view;
  neverWrite = deviceName ? NeverWriteReason::DeviceName : NeverWriteReason::HtmlAsText;
  char path[MemoPathSize];
  std::string bytes;
  MemoFileStamp htmlStamp;
  if (HtmlPath(path) && LoadMemoFile(*ops, deviceName ? LiteralPath(path).c_str() : path, bytes, htmlStamp) != MemoLoadResult::Unreadable) {
    view.text = DecodeMemoText(bytes.data(), bytes.size()).text;
    if (FitPaneText(view.text) == PaneLoss::Cut) view.notice = MemoView::Notice::Overflow;
  }
  return view;
}

bool MemoSession::IsReadOnly() const { return deviceName || writePath.empty() || IsMemoFileReadOnly(*ops, writePath.c_str()); }

bool MemoSession::SetReadOnly(bool readOnly) {
  char path[MemoPathSize];
  return IsText() && FilePath(".txt", path) && SetMemoFileReadOnly(*ops, path, readOnly);
}

MemoDiskState MemoSession::Check(bool byContent) {
  std::string path = ReadPath();
  if (path.empty()) return MemoDiskState::Unchanged;
  return CheckMemoFile(*ops, path.c_str(), stamp, loadedBytes, byContent, checked);
}

bool MemoSession::Save(std::string& bytes, const std::optional<EditedSpan>& edit, bool vanished) {
  char path[MemoPathSize];
  if (!FilePath(".txt", path)) {
    ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  // A memo whose file vanished is written again under its own name, never
  // over a file that appeared there since.
  MemoFileStamp none;
  if (vanished && !deviceName) writePath = path;
  if (deviceName || writePath.empty()) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  // The bytes replaced stay as a version, on the disk before they go; the
  // same bytes again make none.
  std::string version;
  if (!vanished && stamp.exists && bytes != loadedBytes) version = history.Keep(writePath.c_str(), loadedBytes);
  // The check just now read the file: what it found is not asked again.
  if (!SaveMemoFile(*ops, writePath.c_str(), bytes, stamp, vanished ? &none : &stamp)) {
    history.Drop(version);
    return false;
  }
  // What the file holds now is what later edits are told from: around an
  // edit it is what was loaded, and only the edit is decoded anew.
  if (edit)
    DecodeEdit(loaded, bytes, *edit);
  else
    loaded = Decode(bytes);
  loadedBytes.swap(bytes);
  DropRecovery();
  return true;
}

bool MemoSession::KeepBeside(const std::u16string& paneText, std::string& keptTitle) {
  return SaveAsNewMemo(*ops, folder, title, 2, CopyBytes(paneText), keptTitle);
}

WriteResult MemoSession::Refresh(const std::u16string& paneText, bool edited) {
  if (!IsText() || Check(edited) != MemoDiskState::Changed) return Outcome(WriteOutcome::Nothing);
  return TakeOutsideChange(paneText, edited);
}

WriteResult MemoSession::TakeOutsideChange(const std::u16string& paneText, bool edited) {
  // The other program's text stays in the file; the edits go to a memo of
  // their own. A pane that never writes holds none.
  bool keep = edited && neverWrite == NeverWriteReason::None;
  WriteResult result = Outcome(keep ? WriteOutcome::KeptBeside : WriteOutcome::Reloaded);
  if (keep && !KeepBeside(paneText, result.keptTitle)) return Outcome(WriteOutcome::KeepFailed, ::GetLastError());
  lastLoad = ReadFile();
  DropRecovery();
  return result;
}

WriteResult MemoSession::Write(const std::u16string& paneText, bool edited, MemoWriter writer, Utf8Answer answer) {
  if (!IsText()) return Outcome(WriteOutcome::Nothing);
  if (neverWrite != NeverWriteReason::None) return Outcome(WriteOutcome::NeverWrite);
  // The check comes right before the bytes reach the disk, whatever was
  // asked before: a box gives other programs, and the host, time to act.
  MemoDiskState state = Check(edited);
  if (state == MemoDiskState::Changed) return TakeOutsideChange(paneText, edited);
  if (state == MemoDiskState::Unchanged && !edited) return Outcome(WriteOutcome::Nothing);
  bool vanished = state == MemoDiskState::Vanished;
  // A check by content read the file: its attributes came with it.
  bool readOnly =
      deviceName || writePath.empty() || (!vanished && (stamp.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)));
  if (edited && readOnly) return Outcome(WriteOutcome::ReadOnly);
  std::string bytes;
  WriteResult result;
  MemoEncoding target = WrittenEncoding();
  MemoFileImage image = Image();
  std::optional<EditedSpan> edit;
  // A conversion writes the whole text anew.
  if (!MemoBytesFor(paneText, target, conversion ? nullptr : &image, bytes, &result.missing, &edit)) {
    // Only the user may change a memo's encoding; an unedited text that
    // goes back where its file vanished is nobody's to convert.
    if (!edited) return Outcome(WriteOutcome::Failed, ERROR_NO_UNICODE_TRANSLATION);
    if (answer == Utf8Answer::NotAsked && writer != MemoWriter::Host) {
      result.outcome = WriteOutcome::NeedsAnswer;
      return result;
    }
    if (answer != Utf8Answer::Yes) {
      KeepForRecovery(paneText, false);
      return Outcome(WriteOutcome::Declined);
    }
    target = MemoEncoding::Utf8Bom;
    bytes = Utf8BytesFor(paneText, &image);
  }
  MemoEncoding kept = encoding;
  std::optional<MemoEncoding> keptReading = reading;
  encoding = target;
  // A reading the user chose follows the file into its new encoding.
  if (reading || conversion) reading = target;
  if (!Save(bytes, edit, vanished)) {
    encoding = kept;
    reading = keptReading;
    return Outcome(WriteOutcome::Failed, ::GetLastError());
  }
  conversion.reset();
  result = Outcome(WriteOutcome::Saved);
  // A conversion keeps the bytes of a text that was misread: the file now
  // reads as it was meant, not as the pane showed it.
  result.reread = target != kept && loaded.text != paneText;
  return result;
}

bool MemoSession::KeepEdits(const std::u16string& paneText, bool edited) {
  if (!IsText() || neverWrite != NeverWriteReason::None) return true;
  // The record holds what a close would write now: nothing when the pane is
  // unedited or back at the file's text.
  if (!edited || paneText == loaded.text) {
    DropRecovery();
    return true;
  }
  // A record that cannot be written now is tried again at the next edit.
  return KeepForRecovery(paneText, false);
}

bool MemoSession::KeepForRecovery(const std::u16string& paneText, bool forNextStart) {
  RecoveryRecord record;
  record.folder = folder;
  record.title = title;
  record.encoding = encoding;
  record.baseExists = stamp.exists;
  record.baseSize = stamp.size;
  record.baseLastWrite = FileTimeValue(stamp.lastWrite);
  record.baseChecksum = MemoChecksum(loadedBytes.data(), loadedBytes.size());
  record.text = paneText;
  return recovery.Write(record, forNextStart);
}

MemoSession::Rescued MemoSession::Rescue(const std::u16string& paneText, const std::string& folder1) {
  Rescued rescued = {Rescued::InFolder1, std::string()};
  if (!folder1.empty() && SaveAsNewMemo(*ops, folder1, title, 1, CopyBytes(paneText), rescued.place)) {
    DropRecovery();
    return rescued;
  }
  if (KeepForRecovery(paneText, true)) return Rescued{Rescued::ForNextStart, recovery.RecordPath()};
  return Rescued{Rescued::Lost, std::string()};
}
