#include <gtest/gtest.h>

#include "core/HistorySchedule.h"

namespace {

const uint64_t minute = 60 * HistoryTicksPerSecond, hour = HistoryHour, day = HistoryDay;
// A Monday at 12:00 UTC, in ticks: hours and days start where the clock's do.
const uint64_t now = 133777500000000000ull - 133777500000000000ull % day + 12 * hour;

TEST(HistorySchedule, KeepsTheLastHourTheHoursOfADayTheDaysOfAMonthWithinTheSize) {
  struct Version {
    size_t memo;
    uint64_t ago;
    uint64_t bytes;
    bool kept;
  };
  const struct {
    const char* name;
    std::vector<Version> versions;
    std::vector<std::optional<uint64_t>> deletedAgo;
    uint64_t sizeLimit;
  } cases[] = {
      {"every version of the last hour",
       {{0, 1 * minute, 1, true}, {0, 30 * minute, 1, true}, {0, 59 * minute, 1, true}},
       {},
       HistorySizeLimit},
      {"the last of each hour of the day",
       {{0, 5 * hour + 50 * minute, 1, false}, {0, 5 * hour + 10 * minute, 1, true}, {0, 6 * hour + 10 * minute, 1, true}},
       {},
       HistorySizeLimit},
      {"the last of each day of the month",
       {{0, 3 * day + 4 * hour, 1, false}, {0, 3 * day - 8 * hour, 1, true}, {0, 29 * day, 1, true}, {0, 31 * day, 1, false}},
       {},
       HistorySizeLimit},
      {"each memo its own hours", {{0, 5 * hour + 20 * minute, 1, true}, {1, 5 * hour + 30 * minute, 1, true}}, {}, HistorySizeLimit},
      {"a deleted memo's for 30 days after it went",
       {{0, 29 * day + 5 * minute, 1, true}, {0, 29 * day + 3 * hour, 1, false}, {1, 31 * day + minute, 1, false}},
       {29 * day, 31 * day},
       HistorySizeLimit},
      {"the oldest go first past the size", {{0, 10 * minute, 100, true}, {1, 3 * day, 100, false}, {0, 30 * minute, 100, true}}, {}, 250},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<HistoryVersion> versions;
    for (const Version& v : c.versions) versions.push_back({v.memo, now - v.ago, v.bytes});
    std::vector<std::optional<uint64_t>> deletedAt;
    for (const auto& ago : c.deletedAgo) deletedAt.push_back(ago ? std::optional<uint64_t>(now - *ago) : std::nullopt);
    std::vector<bool> kept = VersionsToKeep(versions, deletedAt, now, c.sizeLimit);
    for (size_t i = 0; i < versions.size(); ++i) EXPECT_EQ(c.versions[i].kept, kept[i]) << "version " << i;
  }
  // A clock set back leaves the versions from its future alone.
  EXPECT_EQ(std::vector<bool>{true}, VersionsToKeep({{0, now + day, 1}}, {}, now));
}

}  // namespace
