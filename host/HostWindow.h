// The stand-in host's main window: loads the tool, shows its panel when the
// tool says it is ready, and offers the tool's operations in its menu.
#pragma once
#include <windows.h>

#include <string>

#include "IniHostSettings.h"
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
  void OnClose();
  void ShowAbout();
  void SetStatus(const char* text);

  IniHostSettings settings;
  struct HostWindowObject* hostWnd;
  HWND window;
  HWND status;
  HMODULE library;
  ToolBase* tool;
  HANDLE toolThread;
};
