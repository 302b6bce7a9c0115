#include "plugin/ToolSettings.h"

std::string ToolSettings::Read(const char* key) const {
  char value[SettingValueSize] = "";
  if (host && key) host->ReadValue(ScribbitToolNumber, key, value);
  return value;
}

void ToolSettings::Write(const char* key, const std::string& value) const {
  if (host && key) host->WriteValue(ScribbitToolNumber, key, value.c_str());
}

bool ToolSettings::WriteName(const char* key, const std::string& name) const {
  std::string stored;
  if (!Cp932FromUtf8(name, stored)) return false;
  Write(key, stored);
  return true;
}

std::vector<std::string> ToolSettings::SetFolderPaths() const {
  std::vector<std::string> paths;
  for (int folder = 1; folder <= 5; ++folder) {
    std::string path;
    if (FolderPath(folder, path)) paths.push_back(path);
  }
  return paths;
}

std::string ToolSettings::StoreOwnFolder() const {
  std::string folder = OwnFolderPath(host->GetHostPath(1, 0));
  Write(FolderPathKey(1), folder);
  return Utf8FromCp932(folder);
}
