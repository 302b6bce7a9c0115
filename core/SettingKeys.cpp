#include "core/SettingKeys.h"

#include "core/MemoPaths.h"

const char* const SettingKeys[SettingKeyCount] = {
    "WndPosX",
    "WndPosY",
    "ScribbitFolderPath1",
    "ScribbitFolderPath2",
    "ScribbitFolderPath3",
    "ScribbitFolderPath4",
    "ScribbitFolderPath5",
    "ScribbitFolderName1",
    "ScribbitFolderName2",
    "ScribbitFolderName3",
    "ScribbitFolderName4",
    "ScribbitFolderName5",
    "ScribbitStamp",
    "ScribbitEditorPath",
    " ",
};

const int MemoFolderCount = 5;

const char LastFolderKey[] = "ScribbitLastFolder";
const char LastMemoKey[] = "ScribbitLastMemo";

int StoredFolderNumber(const std::string& stored) {
  return stored.size() == 1 && stored[0] >= '1' && stored[0] < '1' + MemoFolderCount ? stored[0] - '0' : 0;
}

const char* FolderPathKey(int n) { return n >= 1 && n <= MemoFolderCount ? SettingKeys[FolderPath1Key + n - 1] : nullptr; }

const char* FolderNameKey(int n) { return n >= 1 && n <= MemoFolderCount ? SettingKeys[FolderName1Key + n - 1] : nullptr; }

bool SetFolderPath(const char* stored, std::string& path) {
  char formed[MemoPathSize];
  path.clear();
  if (!IsFolderSet(stored) || !FormMemoFolderPath(stored, formed, sizeof(formed))) return false;
  path = formed;
  return true;
}

std::string OwnFolderPath(const char* hostDataFolder) { return std::string(hostDataFolder) + "\\Scribbit"; }
