#pragma once
// Which kept versions of the memos stay. Every version of the last hour, the
// last of each hour of the last day, the last of each day of the last 30
// days; a deleted memo's versions for 30 days after it went; and all of it
// within a size, the oldest going first. Times are FILETIME ticks (100 ns,
// UTC), given rather than read, so that the rule is the same on every clock.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

const uint64_t HistoryTicksPerSecond = 10000000;
const uint64_t HistoryHour = 3600 * HistoryTicksPerSecond;
const uint64_t HistoryDay = 24 * HistoryHour;
const uint64_t HistoryKeptDays = 30;
const uint64_t HistorySizeLimit = 256ull * 1024 * 1024;

struct HistoryVersion {
  size_t memo;    // which memo's, an index into the deletion times
  uint64_t time;  // when the memo's bytes were replaced
  uint64_t bytes;
};

// For each version, whether it stays. deletedAt[memo]: when that memo was
// deleted, if it was. A version from the future (a clock set back) stays.
std::vector<bool> VersionsToKeep(const std::vector<HistoryVersion>& versions, const std::vector<std::optional<uint64_t>>& deletedAt,
                                 uint64_t now, uint64_t sizeLimit = HistorySizeLimit);
