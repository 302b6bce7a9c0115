// The open memo, with no user interface: which memo it is, what was loaded
// from its file or last written to it, the encoding its text goes back in,
// why it may never be written, and its edits kept in the recovery folder
// until they reach the file. Every write of a memo's bytes is decided here,
// by one path: the panel passes the pane's text and shows the outcome.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/MemoBytes.h"
#include "core/MemoEncoding.h"
#include "core/MemoText.h"
#include "store/MemoFile.h"
#include "store/MemoHistory.h"
#include "store/RecoveryFolder.h"

// Kinds of memo, as the memo list's entries carry them.
const DWORD MemoKindText = 116;  // 't'
const DWORD MemoKindHtml = 104;  // 'h'

// Why the pane does not hold the memo's whole file, so that nothing may
// write the pane over it.
enum class NeverWriteReason {
  None,
  Cut,             // longer than the pane's limit, or a NUL hid part of it
  Unreadable,      // it could not be read, or not whole
  Missing,         // listed, but gone when opened: opening never makes it anew
  NotItsEncoding,  // bytes that are no character of its encoding
  PathTooLong,     // its path does not fit
  HtmlAsText,      // an HTML memo that no engine draws, shown as its text
  DeviceName,      // a name that opens a device on Windows
  HardLink,        // one of several names of the file
};

// What the pane is to show of a text memo.
struct MemoView {
  enum class Notice {
    None,
    Overflow,  // the text was cut at the pane's limit
    Created,   // the file could not be opened
    Missing,   // the file is gone
  };
  std::u16string text;
  Notice notice = Notice::None;
  // The file's read-only attribute.
  bool fileReadOnly = false;
};

// Who writes: each may or may not ask the user, and keeps the memo open or
// not.
enum class MemoWriter {
  Close,   // the memo is closed after the write
  Host,    // SaveState and the end of the session: the host waits, nobody is asked
  Editor,  // before the external editor starts
};

// The user's answer to whether a code page 932 memo whose text it cannot
// hold is to become UTF-8.
enum class Utf8Answer { NotAsked, Yes, No };

enum class WriteOutcome {
  Nothing,      // no edit to write, and the file as known
  Saved,        // the pane's text is in the memo's file
  KeptBeside,   // the file changed outside: the edits went to keptTitle,
                // and the memo is the file as it now is
  Reloaded,     // the file changed outside an unedited pane: the memo is
                // the file as it now is
  NeedsAnswer,  // code page 932 cannot hold missing: ask, then write again
  Declined,     // nobody may change the encoding: the text stays in the
                // recovery record
  NeverWrite,   // the pane does not hold the whole file, or names none
  ReadOnly,
  Failed,      // the write failed, for error
  KeepFailed,  // the file changed outside, and the edits could not be kept
               // beside it, for error
};

struct WriteResult {
  WriteOutcome outcome = WriteOutcome::Nothing;
  DWORD error = 0;
  std::string keptTitle;
  std::u16string missing;
  // Saved: the file's text is not the pane's, which shows View() anew.
  bool reread = false;
};

class MemoSession {
public:
  explicit MemoSession(MemoFileOps& ops = PlatformMemoFileOps());

  // The memo of that title and kind in folder (its path, ending in a
  // backslash; empty when it did not fit) is open now.
  void Open(const std::string& folder, const std::string& title, DWORD kind);
  // Its edits reached the file or were given up: no memo is open, and the
  // recovery record goes.
  void Close();
  // The memo's file took a new name.
  void Retitle(const std::string& title);
  bool IsOpen() const { return kind != 0; }
  bool IsText() const { return kind == MemoKindText; }
  bool IsHtml() const { return kind == MemoKindHtml; }
  DWORD Kind() const { return kind; }
  const std::string& Folder() const { return folder; }
  bool OnNetworkDrive() const { return ops->DriveType(folder.c_str()) == DRIVE_REMOTE; }
  // The open memo's title, or the last one's after a close.
  const std::string& Title() const { return title; }
  // Folder + title + extension into MemoPathSize bytes; false when it does
  // not fit Windows' plain path.
  bool FilePath(const char* extension, char* out) const;
  // The open HTML memo's file: title.html, else title.htm.
  bool HtmlPath(char* out) const;

  // Reads the text memo's file whole, creating it empty where it is missing,
  // and says what the pane shows.
  MemoView Load();
  // What the pane shows of the file as last read, and whether the pane may
  // ever write it: after Load, and after a write that reloaded the file.
  MemoView View();
  // The HTML memo's file as text, for a pane with no engine to draw it.
  MemoView LoadHtmlAsText();
  // The pane never writes the memo's file, for reason.
  void NeverWrite(NeverWriteReason reason) { neverWrite = reason; }
  NeverWriteReason NeverWrites() const { return neverWrite; }
  // Its name opens a device on Windows (aux, nul, com1...): the file is read
  // by its literal path and never written.
  bool HasDeviceName() const { return deviceName; }
  // No write may reach the file: it is read-only, has a device's name, or is
  // a link whose target cannot be told.
  bool IsReadOnly() const;
  // Sets or clears the read-only attribute of the open text memo's file.
  bool SetReadOnly(bool readOnly);

  // Where the file stands against what was loaded or last written; by its
  // bytes when byContent.
  MemoDiskState Check(bool byContent);
  // The one write path. paneText and edited: what the pane holds, and
  // whether the user changed it. Outside changes are looked for first, by
  // content where there are edits, and the edits go beside the memo where
  // the file changed; only then is the file written, in the memo's
  // encoding. A question to the user comes back as NeedsAnswer: the writer
  // asks, then calls again with the answer, and the file is looked at again.
  WriteResult Write(const std::u16string& paneText, bool edited, MemoWriter writer, Utf8Answer answer = Utf8Answer::NotAsked);
  // Looks for outside changes only: Nothing, KeptBeside, Reloaded or KeepFailed.
  WriteResult Refresh(const std::u16string& paneText, bool edited);

  // The pane's edits into the recovery folder, or the record dropped when
  // the pane holds the file's text. False, with the error, when edits the
  // file does not hold could not be recorded.
  bool KeepEdits(const std::u16string& paneText, bool edited);
  void DropRecovery() { recovery.Remove(); }
  RecoveryFolder& Recovery() { return recovery; }
  MemoHistory& History() { return history; }
  // The open memo's kept versions, the newest first, and one's text, read
  // as the memo is.
  std::vector<MemoHistory::Version> Versions() { return history.VersionsOf(writePath.empty() ? ReadPath().c_str() : writePath.c_str()); }
  std::u16string VersionText(const std::string& path);
  // The file's bytes as last read or written.
  const std::string& LoadedBytes() const { return loadedBytes; }

  // Edits that cannot reach the memo's file as the panel goes away: a new
  // memo of folder1 (empty when unset), else a record that the next start
  // restores.
  struct Rescued {
    enum Outcome { InFolder1, ForNextStart, Lost } outcome;
    std::string place;  // the new memo's title, or the record's path
  };
  Rescued Rescue(const std::u16string& paneText, const std::string& folder1);

  MemoFileOps& Ops() const { return *ops; }
  void UseOps(MemoFileOps& fileOps) {
    ops = &fileOps;
    recovery.UseOps(fileOps);
    history.UseOps(fileOps);
  }
  // The encoding the pane's text goes back in.
  MemoEncoding Encoding() const { return encoding; }
  // Reads the file anew as the user chose (none: as the detector tells),
  // and keeps to that choice while the memo is open.
  MemoView LoadAs(std::optional<MemoEncoding> chosen);
  std::optional<MemoEncoding> Reading() const { return reading; }
  // The next write converts the whole text to target, a choice that holds
  // as the reading from then on.
  void ConvertTo(MemoEncoding target);
  MemoEncoding WrittenEncoding() const { return conversion.value_or(encoding); }

private:
  std::string ReadPath() const;
  MemoFileImage Image() const { return MemoFileImage{loadedBytes, loaded}; }
  MemoText Decode(const std::string& bytes) const;
  // The bytes of a copy of the pane's text: in the encoding the next save writes.
  std::string CopyBytes(const std::u16string& paneText) const;
  MemoLoadResult ReadFile();
  // Writes bytes as the memo's file, and takes them as what was loaded;
  // edit: where they differ from what was before. vanished: the file is
  // gone, and is made anew.
  bool Save(std::string& bytes, const std::optional<EditedSpan>& edit, bool vanished);
  bool KeepBeside(const std::u16string& paneText, std::string& keptTitle);
  // The file changed outside: the edits go beside it, and the file as it
  // is now becomes what the session knows.
  WriteResult TakeOutsideChange(const std::u16string& paneText, bool edited);
  bool KeepForRecovery(const std::u16string& paneText, bool forNextStart);

  MemoFileOps* ops;
  RecoveryFolder recovery;
  MemoHistory history;
  DWORD kind = 0;
  std::string folder;
  std::string title;
  bool deviceName = false;
  // Where a write goes (a symbolic link's target); empty when none may.
  std::string writePath;
  NeverWriteReason neverWrite = NeverWriteReason::None;
  // The file as loaded or last written: its stamp, bytes and text, and the
  // encoding the pane's text goes back in.
  MemoLoadResult lastLoad = MemoLoadResult::Missing;
  MemoFileStamp stamp;
  std::string loadedBytes;
  MemoText loaded;
  MemoEncoding encoding = MemoEncoding::Cp932;
  std::optional<MemoEncoding> reading;
  std::optional<MemoEncoding> conversion;
  // The file as a check reads it, kept so that a check before every save
  // pays for no fresh memory.
  std::string checked;
};
