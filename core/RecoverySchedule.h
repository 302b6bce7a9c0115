#pragma once
// When the open memo's edits are next kept for recovery: once the typing has
// paused a moment, and while it goes on at the latest a bound after the
// first edit not yet kept, so that a character is on the disk soon after it
// was typed whatever follows it. Times are milliseconds of a clock that
// wraps, as the system's tick count does.
#include <cstdint>

class RecoverySchedule {
public:
  static constexpr uint32_t pauseMs = 1000;
  static constexpr uint32_t longestMs = 1500;

  // An edit at now. The delay to start the timer with, or 0 when it runs
  // already.
  uint32_t Edited(uint32_t now);
  // The timer fired at now: 0 when the edits are to be kept now, which stops
  // it; else the delay to start it again with.
  uint32_t Fired(uint32_t now);
  void Stop() { running = false; }

private:
  bool running = false;
  uint32_t firstUnkept = 0;
  uint32_t lastEdit = 0;
};
