// What the tests take from std::thread and std::mutex, which the win32
// thread model's library lacks: a thread running a function, joined before
// it goes, and a lock held for a scope.
#pragma once
#include <windows.h>

#include <functional>

class TestThread {
public:
  explicit TestThread(std::function<void()> body);
  ~TestThread() { Join(); }
  TestThread(const TestThread&) = delete;
  TestThread& operator=(const TestThread&) = delete;
  void Join();

private:
  static DWORD WINAPI Run(LPVOID self);
  std::function<void()> body;
  HANDLE handle;
};

class TestLock {
public:
  TestLock() { ::InitializeCriticalSection(&section); }
  ~TestLock() { ::DeleteCriticalSection(&section); }
  TestLock(const TestLock&) = delete;
  TestLock& operator=(const TestLock&) = delete;

  class Held {
  public:
    explicit Held(TestLock& lock) : section(lock.section) { ::EnterCriticalSection(&section); }
    ~Held() { ::LeaveCriticalSection(&section); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

  private:
    CRITICAL_SECTION& section;
  };

private:
  CRITICAL_SECTION section;
};
