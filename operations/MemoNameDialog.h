// MemoNameDialog: asks for a memo title, refusing titles a file name cannot
// hold and titles of text memos that already exist in the folder.
#pragma once
#include "Dialog.h"
#include "HostContract.h"

class MemoNameDialog : public CDialog {
public:
  explicit MemoNameDialog(CWnd* parent = NULL);
  // Stores settings and runs the dialog modally: 1 after an accepted title, 2 otherwise.
  virtual INT_PTR DoModalWithSettings(HostSettings* settings);

  char title[260];
  short folderNumber;
  HostSettings* hostSettings;
};
