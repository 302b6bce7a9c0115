// The states a crash in the middle of some steps may leave on the disk, under
// two models of what reaches it:
// - ext4 with data=ordered and auto_da_alloc: metadata steps persist in
//   their order (a prefix of them); each 4 KB block of file data may or may
//   not have been written back, unless an fsync of its file forced it; any
//   fsync commits the journal, so the metadata before it; a rename over an
//   existing file, and the last close of a file truncated to zero and
//   written, write the file's data back before the metadata after them.
// - weak POSIX: a step persists only when an fsync of its file (data and
//   size) or of its folder (entries) came after it; otherwise any subset.
#pragma once
#include <functional>

#include "Image.h"

enum class Model { Ext4Ordered, WeakPosix };

class CrashStates {
public:
  // persisted: which of the steps before cut reached the disk.
  typedef std::function<void(const Image&, size_t cut, const std::vector<bool>& persisted)> Visit;
  CrashStates(Model crashModel, const Image& start, const std::vector<Step>& recorded) : model(crashModel), before(start), steps(recorded) {}
  // Every state of a crash after any number of the steps.
  void ForEach(const Visit& visit);
  // Once all the steps are made: only what they forced has persisted.
  void Forced(const Visit& visit);

private:
  void AtCut(size_t cut, bool minimal, const Visit& visit);
  void ChooseData(std::vector<std::vector<size_t>>& groups, size_t group, std::vector<bool>& persisted, size_t cut, bool minimal,
                  const Visit& visit);
  bool SyncedAfter(size_t step, size_t cut, int file) const;
  bool MetadataForced(size_t step, size_t cut) const;
  bool DataForced(size_t step, size_t cut, const std::vector<bool>& persisted) const;
  bool DataAllowed(size_t step, const std::vector<bool>& persisted) const;

  Model model;
  const Image& before;
  const std::vector<Step>& steps;
};
