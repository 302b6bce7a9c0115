// MemoNameDialog: asks for a memo title, refusing titles a file name cannot
// hold and titles of text memos that already exist in the folder.
#pragma once
#include <string>

#include "core/MemoTitle.h"
#include "framework/Dialog.h"
#include "plugin/HostContract.h"
#include "store/MemoFileOps.h"

class MemoNameDialog : public CDialog {
public:
  explicit MemoNameDialog(CWnd* parent = NULL);
  // Stores settings and runs the dialog modally: 1 after an accepted title, 2 otherwise.
  virtual INT_PTR DoModalWithSettings(HostSettings* settings);

  // The text the edit field starts with, in UTF-8 as every title.
  void SetTitle(const char* text);
  // The memo folder (1 to 5) whose text memos a title must not name.
  void SetFolderNumber(short number);
  // Copies the accepted title into out (sizeof(title) bytes) and empties it.
  void TakeTitle(char* out);

  BOOL OnInitDialog() override;
  void OnOK() override;

  char title[MemoTitleBufferSize];
  short folderNumber;
  HostSettings* hostSettings;
  // Where the dialog looks for a memo of the title.
  MemoFileOps* fileOps;

private:
  // Keeps the dialog open with the text as typed, after saying why.
  void Refuse(const char* message);
  void Refuse(const std::u16string& message);
};
