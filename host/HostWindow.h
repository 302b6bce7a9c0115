// The stand-in host's main window: loads the tool, shows its panel when the
// tool says it is ready, offers the tool's operations in its menu, and lets
// the user search the tool's memos.
#pragma once
#include <windows.h>

#include <string>

#include "IniHostSettings.h"
#include "SearchPane.h"
#include "ToolBase.h"

struct HostWindowObject;

class HostWindow {
public:
  HostWindow(const std::string& iniPath, const std::string& dataFolder);
  // Creates the window, loads Scribbit.dll and starts the tool; false when the tool cannot be had.
  bool Start(const char* dllPath);
  int Run();

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id);
  void OnSize();
  void OnSearchStart();
  void OnSearchDone();
  void OnClose();
  void ShowAbout();
  void SetStatus(const char* text);

  IniHostSettings settings;
  struct HostWindowObject* hostWnd;
  HWND window;
  HWND status;
  SearchPane search;
  bool closeAfterSearch;
  HMODULE library;
  ToolBase* tool;
  HANDLE toolThread;
};
