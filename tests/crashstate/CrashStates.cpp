#include "CrashStates.h"

#include <map>
#include <stdexcept>

namespace {
const int anyFile = -2;
}

void CrashStates::ForEach(const Visit& visit) {
  for (size_t cut = 0; cut <= steps.size(); ++cut) AtCut(cut, false, visit);
}

void CrashStates::Forced(const Visit& visit) { AtCut(steps.size(), true, visit); }

void CrashStates::AtCut(size_t cut, bool minimal, const Visit& visit) {
  std::vector<size_t> metadata, free;
  size_t forcedPrefix = 0;
  for (size_t i = 0; i < cut; ++i) {
    if (!steps[i].IsMetadata()) continue;
    metadata.push_back(i);
    if (MetadataForced(i, cut))
      forcedPrefix = metadata.size();
    else
      free.push_back(i);
  }
  // ext4: a prefix of the metadata steps, at least up to the last fsync.
  // Weak: the forced steps and any subset of the others.
  size_t choices = model == Model::Ext4Ordered ? metadata.size() - forcedPrefix + 1 : size_t(1) << free.size();

  if (model == Model::WeakPosix && free.size() > 20) throw std::runtime_error("too many unforced steps to enumerate");
  for (size_t choice = 0; choice < (minimal ? 1 : choices); ++choice) {
    std::vector<bool> persisted(cut, false);
    for (size_t m = 0; m < metadata.size(); ++m) {
      size_t i = metadata[m];
      if (model == Model::Ext4Ordered)
        persisted[i] = m < forcedPrefix + choice;
      else
        persisted[i] = MetadataForced(i, cut);
    }
    if (model == Model::WeakPosix)
      for (size_t f = 0; f < free.size(); ++f) persisted[free[f]] = (choice >> f) & 1;
    // Each block's last version to persist, if any.
    std::map<std::pair<int, long long>, std::vector<size_t>> blocks;
    for (size_t i = 0; i < cut; ++i)
      if (steps[i].kind == StepKind::Data && DataAllowed(i, persisted)) blocks[{steps[i].file, steps[i].size}].push_back(i);
    std::vector<std::vector<size_t>> groups;
    double combinations = 1;
    for (auto& block : blocks) {
      groups.push_back(block.second);
      combinations *= block.second.size() + 1;
    }
    if (combinations > 1e6) throw std::runtime_error("too many blocks to enumerate: use memos of a few blocks");
    ChooseData(groups, 0, persisted, cut, minimal, visit);
  }
}

void CrashStates::ChooseData(std::vector<std::vector<size_t>>& groups, size_t group, std::vector<bool>& persisted, size_t cut, bool minimal,
                             const Visit& visit) {
  if (group == groups.size()) {
    Image image = before;
    for (size_t i = 0; i < cut; ++i)
      if (persisted[i]) image.Apply(steps[i]);
    visit(image, cut, persisted);
    return;
  }
  const std::vector<size_t>& versions = groups[group];
  int forced = -1;
  for (size_t v = 0; v < versions.size(); ++v)
    if (DataForced(versions[v], cut, persisted)) forced = static_cast<int>(v);
  // -1: none of them persisted.
  for (int v = forced; v < (minimal ? forced + 1 : static_cast<int>(versions.size())); ++v) {
    if (v >= 0) persisted[versions[v]] = true;
    ChooseData(groups, group + 1, persisted, cut, minimal, visit);
    if (v >= 0) persisted[versions[v]] = false;
  }
}

bool CrashStates::SyncedAfter(size_t step, size_t cut, int file) const {
  for (size_t q = step + 1; q < cut; ++q)
    if (steps[q].kind == StepKind::Sync && (steps[q].file == -1 || file == anyFile || steps[q].file == file)) return true;
  return false;
}

bool CrashStates::MetadataForced(size_t step, size_t cut) const {
  const Step& s = steps[step];
  if (model == Model::Ext4Ordered) return SyncedAfter(step, cut, anyFile);
  if (s.kind == StepKind::Resize) return SyncedAfter(step, cut, s.file);
  if (s.kind == StepKind::Rename) return SyncedAfter(step, cut, s.folder) && SyncedAfter(step, cut, s.toFolder);
  return SyncedAfter(step, cut, s.folder);
}

bool CrashStates::DataForced(size_t step, size_t cut, const std::vector<bool>& persisted) const {
  if (SyncedAfter(step, cut, steps[step].file)) return true;
  if (model != Model::Ext4Ordered) return false;
  for (size_t q = step + 1; q < cut; ++q) {
    const Step& s = steps[q];
    if (s.file != steps[step].file) continue;
    if (s.kind == StepKind::Rename && s.replaces && persisted[q]) return true;
    if (s.kind == StepKind::Close)
      for (size_t later = q + 1; later < cut; ++later)
        if (steps[later].IsMetadata() && persisted[later]) return true;
  }
  return false;
}

bool CrashStates::DataAllowed(size_t step, const std::vector<bool>& persisted) const {
  // ext4 allocates a block when it writes it back, in the transaction of the
  // time: never before a size change the file had before it.
  if (model != Model::Ext4Ordered) return true;
  for (size_t i = 0; i < step; ++i)
    if (steps[i].kind == StepKind::Resize && steps[i].file == steps[step].file && !persisted[i]) return false;
  return true;
}
