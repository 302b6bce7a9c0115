// GoogleTest's port customisation, found before its own empty one. Its one
// use of std::mutex and std::condition_variable, which the win32 thread
// model's library lacks, is Notification: here it is over an event.
#pragma once
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
  Notification() : event(::CreateEventA(NULL, TRUE, FALSE, NULL)) {}
  ~Notification() { ::CloseHandle(event); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  void Notify() { ::SetEvent(event); }
  void WaitForNotification() { ::WaitForSingleObject(event, INFINITE); }

private:
  HANDLE event;
};

}  // namespace internal
}  // namespace testing
