#include "core/RecoverySchedule.h"

uint32_t RecoverySchedule::Edited(uint32_t now) {
  lastEdit = now;
  if (running) return 0;
  // One timer for a whole run of typing: the keystrokes only note the time.
  running = true;
  firstUnkept = now;
  return pauseMs;
}

uint32_t RecoverySchedule::Fired(uint32_t now) {
  uint32_t paused = now - lastEdit, waited = now - firstUnkept;
  if (!running || paused >= pauseMs || waited >= longestMs) {
    running = false;
    return 0;
  }
  uint32_t untilPause = pauseMs - paused, untilBound = longestMs - waited;
  return untilPause < untilBound ? untilPause : untilBound;
}
