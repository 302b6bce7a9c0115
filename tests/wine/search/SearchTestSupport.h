// What the host search tests share: memo folders set up for the tool, a
// request as the host lays it out, and a hook on the result window.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ToolHarness.h"

// Five memo folders, folder 1 the tool's own, their paths stored in settings.
class SearchFolders {
public:
  SearchFolders(TestSettings& settings, const std::string& folder1);
  // The folder's path without a trailing backslash.
  std::string Path(int folder) const { return folder == 1 ? folder1 : others[folder - 2].Path(); }
  void Write(int folder, const std::string& name, const std::string& bytes) const;

private:
  std::string folder1;
  TempFolder others[4];
};

// A request whose result window object names window.
struct ResultTarget {
  explicit ResultTarget(HWND window) {
    object.handle = window;
    request.resultWindow = object.AsWnd();
  }
  ResultTarget(const ResultTarget&) = delete;
  FakeHostWindowObject object;
  SearchRequest request = {};
};

// The texts of the search results a window recorded, in order.
std::vector<std::string> ResultTexts(const RecordingWindow& window);

// The results of one search by tool, into a result window of its own.
std::vector<std::string> SearchResults(ToolBase* tool, const char* keyword);

// Runs one search on a thread of its own while this thread handles the
// result window's messages; gives what SearchMemos returned.
int SearchOnItsOwnThread(ToolBase* tool, SearchRequest& request, const char* keyword);

// Runs action on the window's thread after the window recorded each search
// result, while the search waits for the message to be handled.
class AfterEachResult {
public:
  AfterEachResult(HWND window, std::function<void()> action);
  ~AfterEachResult();

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window;
  WNDPROC original;
  std::function<void()> action;
};
