// ExtEditDialog: the extended edit functions for the open memo: stamp,
// delete or replace, move to another memo folder. The dialog only collects
// the user's choice; the panel carries it out with the operations below.
#pragma once
#include <string>

#include "framework/AfxString.h"
#include "framework/Dialog.h"
#include "plugin/HostContract.h"
#include "store/MemoFileOps.h"
#include "store/MemoHistory.h"

class ExtEditDialog : public CDialog {
public:
  // The function chosen (action).
  enum Action { ActionRefused = -1, ActionStamp = 0, ActionDeleteOrReplace = 1, ActionMove = 2, ActionNone = 255 };

  explicit ExtEditDialog(CWnd* parent = NULL);
  // Stores settings and runs the dialog modally: 1 after a chosen function, 2 otherwise.
  virtual INT_PTR DoModalWithSettings(HostSettings* settings);

  short GetAction() const { return action; }
  // The memo folder (1 to 5) whose entry the folder list selects when it opens.
  void SetCurrentFolder(short folder) { currentFolder = folder; }
  // A line break and the stored stamp, as stored, to append to the text.
  std::u16string StampLine();
  // Removes every occurrence of searchText, or replaces it with replaceText
  // when replaceChecked; returns how many there were.
  int DeleteOrReplace(std::u16string& text);
  // Moves title.txt of folder (its path, ending with a backslash) into the
  // folder of entry targetIndex, never over an existing file. On failure the
  // platform's last error says why; ERROR_FILENAME_EXCED_RANGE when a path
  // does not fit Windows' plain path.
  BOOL MoveMemoFile(MemoHistory& history, MemoFileOps& ops, const std::string& folder, const char* title);

  BOOL OnInitDialog() override;

  CString searchText;
  CString replaceText;
  int replaceChecked;
  unsigned short targetIndex;
  short action;
  HostSettings* hostSettings;
  short currentFolder;

protected:
  bool OnCommand(int notifyCode, int id, HWND control) override;

private:
  void OnStampInsert();
  void OnExecute();
  void OnMove();
  void OnReplaceCheck();
  void FillFolderList();
  void EndRefused();
};
