// A fresh folder under the temporary directory, removed with its contents.
#pragma once
#include <string>
#include <vector>

class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  const std::string& Path() const { return path; }
  // path + "\\" + name
  std::string operator/(const std::string& name) const { return path + "\\" + name; }

private:
  std::string path;
};

// Small file helpers for tests.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
void RemoveTree(const std::string& path);
// The names of the files in a folder, sorted.
std::vector<std::string> FileNames(const std::string& folder);
// The names of the folders in it, sorted.
std::vector<std::string> FolderNames(const std::string& folder);
