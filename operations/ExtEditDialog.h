// ExtEditDialog: the extended edit functions for the open memo: stamp,
// delete or replace, move to another memo folder.
#pragma once
#include "AfxString.h"
#include "Dialog.h"
#include "HostContract.h"

class ExtEditDialog : public CDialog {
public:
  explicit ExtEditDialog(CWnd* parent = NULL);
  // Stores settings and runs the dialog modally: 1 after a chosen function, 2 otherwise.
  virtual INT_PTR DoModalWithSettings(HostSettings* settings);

  CString searchText;
  CString replaceText;
  int replaceChecked;
  unsigned short targetIndex;
  short action;
  HostSettings* hostSettings;
};
