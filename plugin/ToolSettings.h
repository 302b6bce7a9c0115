// The tool's settings as the host keeps them, in the tool's own section.
// The panel and its dialogs read and write them through here only.
#pragma once
#include <string>
#include <vector>

#include "core/NameText.h"
#include "core/SettingKeys.h"
#include "plugin/HostContract.h"

class ToolSettings {
public:
  // host may be null: every value then reads empty.
  explicit ToolSettings(HostSettings* settings) : host(settings) {}

  // What is stored under key, as stored; empty when nothing is.
  std::string Read(const char* key) const;
  void Write(const char* key, const std::string& value) const;
  // A path or file name, which the host stores in code page 932 and the
  // tool holds in UTF-8 (core/NameText.h). A name code page 932 cannot
  // spell is not stored, and the write says so.
  std::string ReadName(const char* key) const { return Utf8FromCp932(Read(key)); }
  bool WriteName(const char* key, const std::string& name) const;

  bool IsFolderSet(int folder) const { return ::IsFolderSet(Read(FolderPathKey(folder)).c_str()); }
  // Memo folder n's path ending with a backslash; false when the folder is
  // unset or its path too long.
  bool FolderPath(int folder, std::string& path) const { return SetFolderPath(ReadName(FolderPathKey(folder)).c_str(), path); }
  // The paths of the folders set now, each ending with a backslash; folder
  // 1's first when it is set.
  std::vector<std::string> SetFolderPaths() const;
  // Folder 1 where the host's data folder puts it now, stored, and returned.
  std::string StoreOwnFolder() const;

private:
  HostSettings* host;
};
