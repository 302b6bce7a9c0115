// The stand-in host's search: a keyword field, Search and Stop buttons and the
// list of memos the tool reports. The tool searches on a worker thread of the
// host, so the host's window keeps answering while the search runs.
#pragma once
#include <windows.h>

#include <string>

#include "plugin/ToolBase.h"

// Posted by the worker to the parent window when SearchMemos has returned.
const UINT WM_HOST_SEARCH_DONE = WM_APP + 1;

enum SearchPaneId {
  IdSearchStart = IDOK,  // also sent by Enter in the keyword field
  IdSearchStop = 200,
  IdSearchField,
  IdSearchResults,
};

class SearchPane {
public:
  SearchPane();
  SearchPane(const SearchPane&) = delete;
  SearchPane& operator=(const SearchPane&) = delete;
  // Closes the worker's handle; the owner lets a running search end first.
  ~SearchPane();

  void Create(HWND parent);
  // Places the controls over area, in the parent's client coordinates.
  void Layout(const RECT& area);
  // Enter in the keyword field starts a search; true when msg was that.
  bool PreTranslateMessage(const MSG& msg);

  // Searches for the field's words, the results going to resultWindow's
  // window; false when a search runs already or the thread cannot start.
  bool Start(ToolBase* tool, CWnd* resultWindow);
  // Raises the request's stop flag; the worker reads it before every memo and line.
  void Stop();
  bool Running() const { return worker != NULL; }
  bool WasStopped() const { return request.stopFlag != 0; }
  const std::string& Keyword() const { return keyword; }
  int ResultCount() const;

  // The tool reported a memo.
  void OnResult(const char* text);
  // The worker posted WM_HOST_SEARCH_DONE.
  void OnDone();

private:
  static DWORD WINAPI SearchThreadProc(LPVOID pane);
  void ShowRunning(bool running);

  HWND parent;
  HWND field;
  HWND startButton;
  HWND stopButton;
  HWND results;
  ToolBase* tool;
  SearchRequest request;
  std::string keyword;
  HANDLE worker;
};
