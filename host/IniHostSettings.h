// The stand-in host's settings store: one INI file, the tool's values in the
// section named after its tool number.
#pragma once
#include <string>

#include "plugin/HostContract.h"

class IniHostSettings : public HostSettings {
public:
  IniHostSettings(const std::string& ini, const std::string& data) : iniPath(ini), dataFolder(data) {}
  void ReadValue(int section, const char* key, char* out) override;
  void WriteValue(int section, const char* key, const char* value) override;
  const char* GetHostPath(int kind, int reserved) override;

private:
  std::string iniPath;
  std::string dataFolder;
};
