// Folders and files as steps of file system calls leave them: the files the
// programs see as the calls are made, and the ones a crash leaves on the disk
// when only some of the steps persisted.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

const size_t blockSize = 4096;

enum class StepKind { Link, Unlink, Rename, Resize, Data, Sync, Close };

struct Step {
  explicit Step(StepKind stepKind, int fileIndex = -1, long long newSize = 0) : kind(stepKind), file(fileIndex), size(newSize) {}
  StepKind kind;
  std::string path;  // Link, Unlink, Rename: the entry
  std::string to;    // Rename: the new entry
  int file = -1;     // the file or folder; for Sync, -1 is every file
  int folder = -1;   // the folder holding path's entry
  int toFolder = -1;
  bool makesFolder = false;  // Link
  bool replaces = false;     // Rename over an existing file
  long long size = 0;        // Resize: the new size; Data: the block
  std::string bytes;         // Data: the block as the page cache holds it after the call
  std::string name;          // what the file was called, for reports
  bool IsMetadata() const { return kind <= StepKind::Resize; }
  std::string Describe() const;
};

// Path to content of the files of some folders.
typedef std::map<std::string, std::string> Files;

struct Image {
  std::map<std::string, int> entries;
  std::map<int, std::string> contents;
  std::set<int> folders;
  void Apply(const Step& step);
  // The memos of these folders.
  Files MemosIn(const std::vector<std::string>& watched) const;
};

std::string Parent(const std::string& path);
std::string BaseName(const std::string& path);
