#include "SettingsDialog.h"

#include "resource.h"

SettingsDialog::SettingsDialog(CWnd* parent) : CDialog(IDD_SETTINGS, parent), hostSettings(NULL) {}

INT_PTR SettingsDialog::DoModalWithSettings(HostSettings* settings) {
  hostSettings = settings;
  return DoModal();
}
