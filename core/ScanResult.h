#pragma once

enum class ScanResult { NoMatch, Match, Stopped };

// The flag belongs to another thread, so it is read afresh on every call.
inline bool StopRequested(const volatile int* stopFlag) { return stopFlag && *stopFlag != 0; }
