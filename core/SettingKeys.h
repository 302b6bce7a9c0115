#pragma once
// Keys of the plug-in's settings, in the order the settings file lists them.

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

// Keys of memo folder n, n = 1..5; nullptr for any other n.
const char* FolderPathKey(int n);
const char* FolderNameKey(int n);

// The tool's number: the host keeps the tool's settings in the section of
// this number, and it is the wParam of every notification to the host.
const int ScribbitToolNumber = 19;

// Every setting reader passes a buffer of this many bytes.
const int SettingValueSize = 260;
