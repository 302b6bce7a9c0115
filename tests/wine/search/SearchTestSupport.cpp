#include "SearchTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>

#include "TestThreads.h"

namespace {
const char hookProperty[] = "ScribbitAfterEachResult";
}

SearchFolders::SearchFolders(TestSettings& settings, const std::string& ownFolder) : folder1(ownFolder) {
  ::CreateDirectoryA(folder1.c_str(), NULL);
  for (int folder = 1; folder <= 5; ++folder) settings.Set("ScribbitFolderPath" + std::to_string(folder), Path(folder));
}

void SearchFolders::Write(int folder, const std::string& name, const std::string& bytes) const {
  WriteFileBytes(Path(folder) + "\\" + name, bytes);
}

std::vector<std::string> ResultTexts(const RecordingWindow& window) {
  std::vector<std::string> texts;
  for (const RecordingWindow::Received& r : window.received)
    if (r.message == WM_TOOL_SEARCH_RESULT) texts.push_back(r.text);
  return texts;
}

std::vector<std::string> SearchResults(ToolBase* tool, const char* keyword) {
  RecordingWindow results;
  ResultTarget target(results.Handle());
  EXPECT_EQ(0, tool->SearchMemos(&target.request, keyword));
  return ResultTexts(results);
}

int SearchOnItsOwnThread(ToolBase* tool, SearchRequest& request, const char* keyword) {
  std::atomic<bool> done(false);
  int returned = -1;
  TestThread search([&] {
    returned = tool->SearchMemos(&request, keyword);
    done = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
  search.Join();
  return returned;
}

AfterEachResult::AfterEachResult(HWND resultWindow, std::function<void()> then) : window(resultWindow), action(std::move(then)) {
  ::SetPropA(window, hookProperty, this);
  original = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
}

AfterEachResult::~AfterEachResult() {
  if (!::IsWindow(window)) return;
  ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  ::RemovePropA(window, hookProperty);
}

LRESULT CALLBACK AfterEachResult::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  AfterEachResult* self = static_cast<AfterEachResult*>(::GetPropA(window, hookProperty));
  LRESULT result = ::CallWindowProcA(self->original, window, message, wParam, lParam);
  if (message == WM_TOOL_SEARCH_RESULT) self->action();
  if (message == WM_NCDESTROY) ::RemovePropA(window, hookProperty);
  return result;
}
