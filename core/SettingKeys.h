#pragma once
// Keys of the plug-in's settings, in the order the settings file lists them,
// and the rules the memo folders' values follow.
#include <string>

enum SettingKeyIndex {
  WndPosXKey = 0,
  WndPosYKey = 1,
  FolderPath1Key = 2,  // FolderPath2..5 follow
  FolderName1Key = 7,  // FolderName2..5 follow
  StampKey = 12,
  EditorPathKey = 13,
  BlankKey = 14,
  SettingKeyCount = 15
};

// The last entry is a single blank, which is never used as a key.
extern const char* const SettingKeys[SettingKeyCount];

// Where the user left the panel, kept in the same section beside the fixed
// table: the number of the folder shown, and the file name of the memo open
// in it.
extern const char LastFolderKey[];
extern const char LastMemoKey[];
// The folder number a stored value names; 0 for anything but 1 to 5.
int StoredFolderNumber(const std::string& stored);

// Keys of memo folder n, n = 1..5; nullptr for any other n.
const char* FolderPathKey(int n);
const char* FolderNameKey(int n);

// The tool's number: the host keeps the tool's settings in the section of
// this number, and it is the wParam of every notification to the host.
const int ScribbitToolNumber = 19;

// Every setting reader passes a buffer of this many bytes.
const int SettingValueSize = 260;

// A memo folder is unset while its stored path is empty.
inline bool IsFolderSet(const char* stored) { return stored[0] != '\0'; }

// A memo folder's path from its stored setting, ending with one backslash.
// False when the folder is unset, or when the path would not fit Windows'
// plain path (PlainPathUnits).
bool SetFolderPath(const char* stored, std::string& path);

// Folder 1, the tool's own: its folder in the host's data folder.
std::string OwnFolderPath(const char* hostDataFolder);
