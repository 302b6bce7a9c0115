// A start puts back the edits that tools which are gone left in the
// recovery folder, and memo text that saves which never finished left in
// temporary files of a memo folder.
#pragma once
#include <string>
#include <vector>

#include "store/MemoFile.h"
#include "store/MemoHistory.h"
#include "store/RecoveryFolder.h"

struct RestoredEdits {
  enum Outcome {
    IntoMemo,    // the memo file was as the edits started from: they are in it now
    Recreated,   // the memo file was gone: it holds the edits again
    BesideMemo,  // the memo file changed meanwhile: the edits are a memo beside it
    BesideInUtf8,  // the memo's encoding cannot hold the edits: they are a UTF-8 memo beside it
    InFolder1,   // their folder is no longer set: a new memo of folder 1
    Kept,        // nowhere to write them: the record stays where it is
  };
  Outcome outcome;
  std::string title;  // the memo the edits belong to; empty when the record could not be read
  std::string place;  // the file that holds them now
};

// Restores every record no running tool holds that belongs to this tool: its
// memo folder is set here, or folder 1 of the tool that wrote it is this
// tool's. setFolders are the memo folder paths set now, each ending in a
// backslash, folder 1's first.
// Records whose text the memo file holds already go without a word.
std::vector<RestoredEdits> RestoreAbandonedEdits(RecoveryFolder& recovery, MemoHistory& history, const std::vector<std::string>& setFolders);

// Temporary files that saves in folder left behind: one whose bytes a memo
// of the folder holds goes; any other becomes a memo of its own, whose path
// is returned. One that a save may still be writing is left alone, and
// youngLeft tells there was such a one; so is one larger than any memo the
// tool reads whole.
std::vector<std::string> ClearLeftoverTemporaries(MemoFileOps& ops, const std::string& folder, bool& youngLeft);
