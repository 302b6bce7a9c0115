#include "core/HistorySchedule.h"

#include <algorithm>
#include <map>
#include <tuple>

std::vector<bool> VersionsToKeep(const std::vector<HistoryVersion>& versions, const std::vector<std::optional<uint64_t>>& deletedAt,
                                 uint64_t now, uint64_t sizeLimit) {
  std::vector<bool> keep(versions.size(), false);
  // The newest version of each memo's hour or day bucket stands for it: the
  // last text the memo had then.
  std::map<std::tuple<size_t, bool, uint64_t>, size_t> newestOfBucket;  // (memo, by day, bucket)
  for (size_t i = 0; i < versions.size(); ++i) {
    const HistoryVersion& v = versions[i];
    const std::optional<uint64_t> deleted = v.memo < deletedAt.size() ? deletedAt[v.memo] : std::nullopt;
    if (deleted && now >= *deleted && now - *deleted >= HistoryKeptDays * HistoryDay) continue;
    if (v.time >= now || now - v.time < HistoryHour) {
      keep[i] = true;
      continue;
    }
    const uint64_t age = now - v.time;
    if (age >= HistoryKeptDays * HistoryDay) continue;
    // Buckets by the clock, not by age, so that a version kept for its hour
    // stays kept as time goes on, until its day takes over.
    const bool byDay = age >= HistoryDay;
    auto found = newestOfBucket.emplace(std::make_tuple(v.memo, byDay, v.time / (byDay ? HistoryDay : HistoryHour)), i);
    if (!found.second && versions[found.first->second].time < v.time) found.first->second = i;
  }
  for (const auto& bucket : newestOfBucket) keep[bucket.second] = true;

  // Within the size, the oldest going first.
  uint64_t total = 0;
  std::vector<size_t> kept;
  for (size_t i = 0; i < versions.size(); ++i) {
    if (!keep[i]) continue;
    total += versions[i].bytes;
    kept.push_back(i);
  }
  std::sort(kept.begin(), kept.end(), [&](size_t a, size_t b) { return versions[a].time < versions[b].time; });
  for (size_t i = 0; total > sizeLimit && i < kept.size(); ++i) {
    keep[kept[i]] = false;
    total -= versions[kept[i]].bytes;
  }
  return keep;
}
