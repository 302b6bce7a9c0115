#include "IniHostSettings.h"

#include <windows.h>

#include <cstdio>

namespace {
// Every caller hands ReadValue a buffer of this size.
const DWORD valueBufferSize = 260;
}  // namespace

void IniHostSettings::ReadValue(int section, const char* key, char* out) {
  char name[16];
  snprintf(name, sizeof(name), "%d", section);
  ::GetPrivateProfileStringA(name, key, "", out, valueBufferSize, iniPath.c_str());
}

void IniHostSettings::WriteValue(int section, const char* key, const char* value) {
  char name[16];
  snprintf(name, sizeof(name), "%d", section);
  // Quoted, so that leading and trailing blanks survive the round trip.
  std::string quoted = std::string("\"") + value + "\"";
  ::WritePrivateProfileStringA(name, key, quoted.c_str(), iniPath.c_str());
}

const char* IniHostSettings::GetHostPath(int, int) { return dataFolder.c_str(); }
