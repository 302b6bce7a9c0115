// Turns the traced calls into steps on the files of the watched folders: the
// folders the operations' begin markers were looked up in. Markers are
// lookups of "MARK-begin~<expected faults>~<operation>" in each folder the
// operation writes and of "MARK-end~~<operation>" once it has returned.
#pragma once
#include <map>

#include "Image.h"
#include "Trace.h"

struct Operation {
  std::string name;
  std::string expected;  // the faults the checker must find, by kind: "torn,not-durable"
  std::vector<std::string> folders;
  size_t beginCall = 0, endCall = 0;
  size_t first = 0, last = 0;  // its steps
  Image before;
  Files after;
};

class Recording {
public:
  explicit Recording(const std::vector<Call>& calls);
  std::vector<Step> steps;
  std::vector<Operation> operations;

private:
  struct Open {
    int file;
    long long position;
  };
  struct FileState {
    int open = 0;
    bool truncated = false;  // to zero, and written since: ext4 flushes it at the last close
    bool written = false;
  };
  void FindMarkers(const std::vector<Call>& calls);
  void Take(const Call& call);
  void OpenFile(const Call& call, const std::string& path, const std::string& flags);
  void Write(const Call& call, Open& open);
  void Add(Step step);
  void AddEntry(StepKind kind, const std::string& path, int file, bool makesFolder = false);
  Open* Find(const Call& call, const std::string& arg);
  void Register(long tid, int fd, int file);
  int NewFile(const std::string& path, bool folder);
  int EntryOf(const std::string& path) const;
  std::string Canonical(const std::string& path);
  bool Tracked(const std::string& path) const;
  long Table(long tid) const;

  Image now;
  int files = 0;
  std::map<int, FileState> states;
  std::map<std::pair<long, int>, Open> opens;
  std::map<long, long> tables;  // threads to their descriptor table
  std::set<std::string> watched;
  std::map<std::string, std::string> canonical;
};
