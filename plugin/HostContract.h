// What the host and the tool agree on: the host's settings interface, the
// window messages between host and panel, and the host's search request.
#pragma once
#include <windows.h>

// The host's settings store. Its virtual table holds exactly these three
// operations, in this order: the host implements them with its own compiler.
class HostSettings {
public:
  // Copies the text stored under section and key into out (the empty string
  // when nothing is stored). No size is passed: callers pass 260 bytes.
  virtual void ReadValue(int section, const char* key, char* out) = 0;
  virtual void WriteValue(int section, const char* key, const char* value) = 0;
  // Kind 1: the host's data folder, without a trailing backslash.
  virtual const char* GetHostPath(int kind, int reserved) = 0;

protected:
  ~HostSettings() {}
};

// Panel to host window, each with wParam = tool number and lParam 0.
const UINT WM_TOOL_ACTIVATED = 1130;  // sent when the panel is activated
const UINT WM_TOOL_READY = 1131;      // posted at the end of panel initialisation
const UINT WM_TOOL_CLOSING = 1132;    // sent before the panel destroys itself
// Host to panel: run the tool's settings dialog on the panel's thread.
const UINT WM_TOOL_SETTINGS = WM_USER + 100;  // 1124
// Tool to the search's result window, once per matching memo; wParam is the
// address of a string object whose only member points at the result text.
const UINT WM_TOOL_SEARCH_RESULT = WM_USER + 111;  // 1135

class CWnd;

// The host's search request, as the host lays it out.
struct SearchRequest {
  CWnd* resultWindow;     // offset 0: the window object that receives the results
  short searchMode;       // offset 4: 0 is the only mode the tool supports
  int reserved;           // offset 8: not read by the tool
  volatile int stopFlag;  // offset 12: non-zero asks the search to stop; written from another thread
};
