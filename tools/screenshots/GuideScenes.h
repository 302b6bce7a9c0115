// The scenes of the user's guide, played on a running stand-in host: each
// brings a window of the tool into view, waits until it is there, and has
// its picture taken.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "HostProcess.h"
#include "ShotRequests.h"

// The texts the scenes type or look for; the memos are the script's.
struct SceneTexts {
  std::string openTitle;    // the memo opened and shown
  std::string newTitle;     // typed into the name dialog
  std::string searchWords;  // typed into the host's search field
  std::string replaceFrom;  // the extended edit's search text
  std::string replaceTo;    // and its replacement
  // Set: only the open memo is played, its picture so named (the panel at
  // another DPI).
  std::string memoOnly;
};

class GuideScenes {
public:
  GuideScenes(const HostProcess& process, ShotRequests& requests, const SceneTexts& sceneTexts)
      : host(process), shots(requests), texts(sceneTexts) {}
  // Plays every scene in order; false at the first that goes wrong.
  bool Run();
  // What went wrong.
  const std::string& Failure() const { return failure; }

private:
  bool PanelWithMemos();
  bool OpenMemo();
  bool ExtendedEditDialog();
  bool NameDialog();
  bool DeleteQuestion();
  bool SettingsDialog();
  bool HostSearch();

  // Records what went wrong, the first time; returns ok.
  bool Check(bool ok, const std::string& what);
  bool WaitUntil(const std::function<bool()>& done, const std::string& what);
  // A dialog or message box of the host's process with that caption, other than the panel, once it shows.
  HWND WaitForDialog(const char* caption);
  bool Shoot(const std::string& name, HWND window);
  void ClickPanelButton(int id);
  bool SetText(HWND control, const std::string& text);
  // Presses a button of a dialog and waits until the dialog is gone.
  bool Dismiss(HWND dialog, int button);

  const HostProcess& host;
  ShotRequests& shots;
  SceneTexts texts;
  HWND panel = NULL;
  std::string failure;
};
