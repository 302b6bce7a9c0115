#include "TestThreads.h"

#include <utility>

TestThread::TestThread(std::function<void()> run) : body(std::move(run)), handle(::CreateThread(NULL, 0, Run, this, 0, NULL)) {}

void TestThread::Join() {
  if (!handle) return;
  ::WaitForSingleObject(handle, INFINITE);
  ::CloseHandle(handle);
  handle = NULL;
}

DWORD WINAPI TestThread::Run(LPVOID self) {
  static_cast<TestThread*>(self)->body();
  return 0;
}
