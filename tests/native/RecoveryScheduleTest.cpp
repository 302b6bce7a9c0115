#include <gtest/gtest.h>

#include "core/RecoverySchedule.h"

namespace {

// The timer as the panel runs it: started or started again with each delay
// the schedule gives, firing when that delay is up.
struct Timeline {
  RecoverySchedule schedule;
  bool armed = false;
  uint32_t due = 0;
  std::vector<uint32_t> kept;  // when the edits were kept

  void Edit(uint32_t now) {
    Run(now);
    if (uint32_t delay = schedule.Edited(now)) Arm(now, delay);
  }
  // Lets the timer fire until now.
  void Run(uint32_t now) {
    while (armed && static_cast<int32_t>(now - due) >= 0) {
      armed = false;
      uint32_t at = due;
      if (uint32_t delay = schedule.Fired(at))
        Arm(at, delay);
      else
        kept.push_back(at);
    }
  }
  void Arm(uint32_t now, uint32_t delay) {
    armed = true;
    due = now + delay;
  }
};

TEST(RecoverySchedule, EditsAreKeptAfterAPauseAndAtTheLatestABoundAfterTheFirst) {
  const struct {
    const char* name;
    uint32_t start;
    uint32_t every;  // ms between keystrokes
    uint32_t count;
  } cases[] = {
      {"one keystroke", 0, 0, 1},
      {"a pause after a few", 0, 300, 3},
      {"steady typing", 0, 100, 100},
      {"typing faster than the clock", 0, 1, 5000},
      {"typing across the clock's wrap", 0xFFFFF000u, 120, 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Timeline timeline;
    std::vector<uint32_t> edits;
    for (uint32_t i = 0; i < c.count; ++i) {
      edits.push_back(c.start + i * c.every);
      timeline.Edit(edits.back());
    }
    timeline.Run(edits.back() + 10 * RecoverySchedule::pauseMs);
    // Every edit is on the disk within the bound of its typing, whatever follows it.
    for (uint32_t edit : edits) {
      bool kept = false;
      for (uint32_t at : timeline.kept) kept = kept || (at - edit <= RecoverySchedule::longestMs && static_cast<int32_t>(at - edit) >= 0);
      ASSERT_TRUE(kept) << "an edit at " << edit << " waited longer";
    }
    // Once the typing pauses, the last edit is kept within the pause.
    ASSERT_FALSE(timeline.kept.empty());
    EXPECT_LE(timeline.kept.back() - edits.back(), RecoverySchedule::pauseMs);
  }
}

}  // namespace
