// Find in the text pane: the system's find dialog (Ctrl+F), and F3 for the
// next match in the direction the dialog last had.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "core/TextFind.h"

class PaneFinder {
public:
  PaneFinder();
  ~PaneFinder();
  PaneFinder(const PaneFinder&) = delete;
  PaneFinder& operator=(const PaneFinder&) = delete;

  // Shows the dialog over owner, starting with the pane's selection when it
  // is a short single line; brings it forward when it is shown already.
  void Open(HWND owner, HWND pane);
  // The dialog's own keys: Tab, Return and Escape.
  bool IsDialogMessage(MSG* msg) const { return dialog && ::IsDialogMessageW(dialog, msg); }
  bool IsRequest(UINT message) const { return message == requestMessage; }
  // The dialog asked to find, or closed. True when it asked to find.
  bool TakeRequest();
  bool HasTerm() const { return term[0] != L'\0'; }
  // Selects the next match in the pane and scrolls it into view; false when
  // there is none.
  bool FindNext(HWND pane) const;
  std::u16string Term() const { return reinterpret_cast<const char16_t*>(term); }

private:
  UINT requestMessage;
  FINDREPLACEW request;
  // As the dialog last asked: F3 goes on so once it is closed.
  FindOptions options;
  wchar_t term[256];
  HWND dialog;
};
