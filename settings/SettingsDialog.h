// SettingsDialog: names and paths of memo folders 2 to 5, the editor and the stamp.
#pragma once
#include "framework/Dialog.h"
#include "plugin/HostContract.h"

class SettingsDialog : public CDialog {
public:
  explicit SettingsDialog(CWnd* parent = NULL);
  // Stores settings and runs the dialog modally: 1 after OK, 2 after Cancel.
  virtual INT_PTR DoModalWithSettings(HostSettings* settings);

  // Fills every field from the stored settings; folder 1 is shown but locked.
  BOOL OnInitDialog() override;
  // Stores every field as it stands; nothing is stored before this.
  void OnOK() override;

  HostSettings* hostSettings;

protected:
  bool OnCommand(int notifyCode, int id, HWND control) override;

private:
  void OnBrowseFolder(int folder);
  void OnBrowseEditor();
  void StoreField(int id, const char* key);
};
