// The open memo as a file, with no user interface: where it lives, what was
// loaded from it or last written to it, the encoding its text goes back in,
// and its edits kept in the recovery folder until they reach the file. The
// panel shows and asks; this decides what is written where.
#pragma once
#include <windows.h>

#include <string>

#include "core/MemoEncoding.h"
#include "store/MemoFile.h"
#include "core/MemoText.h"
#include "store/RecoveryFolder.h"

class MemoSession {
public:
  // A memo of that title in folder (its path, ending in a backslash; empty
  // when it did not fit).
  void Open(const std::string& folder, const std::string& title);
  // Its edits reached the file or were given up: the recovery record goes.
  void Close();
  // The memo's file took a new name.
  void Retitle(const std::string& title);
  const std::string& Folder() const { return folder; }
  const std::string& Title() const { return title; }
  // Folder + title + extension into MAX_PATH bytes; false when it does not fit.
  bool FilePath(const char* extension, char* out) const;

  // Reads the memo's text file whole, stamps and decodes it, and finds where
  // writes of it go.
  MemoLoadResult Load();
  // Its name opens a device on Windows (aux, nul, com1...): the file is read
  // by its literal path and never written.
  bool HasDeviceName() const { return deviceName; }
  // No write may reach the file: it is read-only, has a device's name, or is
  // a link whose target cannot be told.
  bool IsReadOnly() const;
  // Where the file stands against what was loaded or last written; before a
  // write, by its content.
  MemoDiskState Check(bool beforeWrite);
  // The file's bytes for the pane's text, in the memo's encoding: what the
  // pane holds as it was loaded keeps the file's own bytes. False when code
  // page 932 cannot hold a character, the first few of which go to missing.
  // A UTF-8 memo without a byte order mark gets one where its bytes would
  // read back as code page 932.
  bool FileBytes(const std::u16string& paneText, std::string& bytes, std::u16string* missing = nullptr);
  // The file as it is now becomes what the session knows of it: the edits
  // made over what it held before were kept elsewhere.
  void Restamp();
  // Writes the memo's file; once written, the recovery record goes.
  bool Save(const std::string& bytes);

  // Keeps the pane's text in the recovery folder. forNextStart: for a start
  // to restore, even one of this running host.
  bool KeepForRecovery(const std::u16string& paneText, bool forNextStart = false);
  void DropRecovery() { recovery.Remove(); }

  MemoFileOps* fileOps = &PlatformMemoFileOps();
  RecoveryFolder recovery;
  // The file as loaded or last written: its stamp, bytes and text, and the
  // encoding the pane's text goes back in.
  MemoFileStamp stamp;
  std::string loadedBytes;
  MemoText loaded;
  MemoEncoding encoding = MemoEncoding::Cp932;
  // The pane does not hold the whole file (cut at the pane's limit, a NUL,
  // a failed read, a path that does not fit): nothing may write the pane
  // over it.
  bool incomplete = false;

private:
  std::string ReadPath() const;
  std::string folder;
  std::string title;
  bool deviceName = false;
  // Where a write goes (a symbolic link's target); empty when none may.
  std::string writePath;
};

// Writes bytes as a new text memo of folder: as title when no memo has it and
// firstTry is 1, else as "title (n)" from n = firstTry, the title cut so the
// name fits. The title given to the file goes to savedTitle.
bool SaveAsNewMemo(MemoFileOps& ops, const std::string& folder, const std::string& title, int firstTry, const std::string& bytes,
                   std::string& savedTitle);
