// SettingsDialog: names and paths of memo folders 2 to 5, the editor and the stamp.
#pragma once
#include "Dialog.h"
#include "HostContract.h"

class SettingsDialog : public CDialog {
public:
  explicit SettingsDialog(CWnd* parent = NULL);
  // Stores settings and runs the dialog modally: 1 after OK, 2 after Cancel.
  virtual INT_PTR DoModalWithSettings(HostSettings* settings);

  HostSettings* hostSettings;
};
