#include "TestSettings.h"

#include <cstring>

void TestSettings::ReadValue(int section, const char* key, char* out) {
  TestLock::Held held(lock);
  readSection = section;
  auto found = values.find(key);
  std::string value = found == values.end() ? "" : found->second;
  // Callers pass 260 bytes; a longer stored value would overrun them.
  if (value.size() > 259) value.resize(259);
  memcpy(out, value.c_str(), value.size() + 1);
}

void TestSettings::WriteValue(int section, const char* key, const char* value) {
  TestLock::Held held(lock);
  writeSection = section;
  values[key] = value;
  writes.emplace_back(key, value);
}

std::string TestSettings::Get(const std::string& key) {
  TestLock::Held held(lock);
  auto found = values.find(key);
  return found == values.end() ? "" : found->second;
}

void TestSettings::Set(const std::string& key, const std::string& value) {
  TestLock::Held held(lock);
  values[key] = value;
}

std::vector<std::pair<std::string, std::string>> TestSettings::Writes() {
  TestLock::Held held(lock);
  return writes;
}

void TestSettings::ClearWrites() {
  TestLock::Held held(lock);
  writes.clear();
}
