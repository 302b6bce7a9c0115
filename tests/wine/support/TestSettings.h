// An in-memory host settings store that remembers the order of writes.
#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "plugin/HostContract.h"
#include "TestThreads.h"

class TestSettings : public HostSettings {
public:
  explicit TestSettings(const std::string& data) : dataFolder(data) {}
  void ReadValue(int section, const char* key, char* out) override;
  void WriteValue(int section, const char* key, const char* value) override;
  const char* GetHostPath(int kind, int reserved) override { return dataFolder.c_str(); }

  std::string Get(const std::string& key);
  void Set(const std::string& key, const std::string& value);
  std::vector<std::pair<std::string, std::string>> Writes();
  void ClearWrites();
  int readSection = 0;   // section of the last read
  int writeSection = 0;  // section of the last write

private:
  TestLock lock;
  std::string dataFolder;
  std::map<std::string, std::string> values;
  std::vector<std::pair<std::string, std::string>> writes;
};
