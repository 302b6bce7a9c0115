// The stand-in host's main window: loads the tool, shows its panel when the
// tool says it is ready, offers the tool's operations in its menu, and lets
// the user search the tool's memos. A panel the user closed comes back from
// the menu with a new tool object, as the note-taking application does it.
#pragma once
#include <windows.h>

#include <string>

#include "IniHostSettings.h"
#include "SearchPane.h"
#include "plugin/ToolBase.h"

struct HostWindowObject;

class HostWindow {
public:
  HostWindow(const std::string& iniPath, const std::string& dataFolder);
  // Creates the window, loads Scribbit.dll and starts the tool; false when the tool cannot be had.
  bool Start(const char* dllPath);
  int Run();

private:
  typedef ToolBase*(__cdecl* NewToolFunction)(CWnd*, HostSettings*);

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id);
  void OnSize();
  void OnShowPanel();
  void OnSearchStart();
  void OnSearchDone();
  void OnToolThreadEnded();
  void OnClose();
  void ShowAbout();
  void SetStatus(const char* text);
  // A new tool object from the DLL, its panel started on its own thread.
  bool StartTool();
  // Deletes the tool once nothing runs in it any more: neither its panel's thread nor a search.
  void ReleaseEndedTool();

  IniHostSettings settings;
  struct HostWindowObject* hostWnd;
  HWND window;
  HWND status;
  SearchPane search;
  bool closeAfterSearch;
  HMODULE library;
  NewToolFunction newTool;
  ToolBase* tool;
  HANDLE toolThread;
  // The user asked for the panel while the last one was closing.
  bool showPanelWhenReleased;
};
