// The panel's commands: its buttons and the text pane's notifications.
#include "plugin/ToolPanel.h"

bool ToolPanel::OnCommand(int notifyCode, int id, HWND control) {
  // Coming back into the pane, say from an editor, the user is to see the
  // file as it is now: not every system tells the panel it was activated.
  if (notifyCode == EN_SETFOCUS && id == IDC_PANEL_TEXT) {
    PostMessage(WM_PANEL_CHECK_DISK);
    return true;
  }
  if (notifyCode == EN_CHANGE && id == IDC_PANEL_TEXT) {
    OnPaneEdited();
    return true;
  }
  if (notifyCode != BN_CLICKED) return ToolBase::OnCommand(notifyCode, id, control);
  switch (id) {
    case IDC_PANEL_NEW:
      OnNewMemo();
      return true;
    case IDC_PANEL_ERASE:
      OnClearMemo();
      return true;
    case IDC_PANEL_DELETE:
      OnDeleteMemo();
      return true;
    case IDC_PANEL_EXT_EDIT:
      OnExtendedEdit();
      return true;
    case IDC_PANEL_OPEN_EDITOR:
      OpenInEditor();
      return true;
    case IDC_PANEL_FOLDER1:
      OnFolderButton(1);
      return true;
    case IDC_PANEL_FOLDER2:
      OnFolderButton(2);
      return true;
    case IDC_PANEL_FOLDER3:
      OnFolderButton(3);
      return true;
    case IDC_PANEL_FOLDER4:
      OnFolderButton(4);
      return true;
    case IDC_PANEL_FOLDER5:
      OnFolderButton(5);
      return true;
    case IDC_PANEL_READ_ONLY:
      OnReadOnlyToggle();
      return true;
  }
  // The panel has no OK or Cancel of its own: Return and Escape must not end it.
  return id == IDOK || id == IDCANCEL;
}

bool ToolPanel::OnFindKey(WPARAM key) {
  const bool control = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0, alt = ::GetKeyState(VK_MENU) < 0;
  if (key == 'F' && control && !shift && !alt) {
    finder.Open(m_hWnd, Pane());
    return true;
  }
  if (key == VK_F3 && !control && !shift && !alt) {
    if (finder.HasTerm())
      FindNextInPane();
    else
      finder.Open(m_hWnd, Pane());
    return true;
  }
  return false;
}

void ToolPanel::OnFindRequest() {
  if (finder.TakeRequest()) FindNextInPane();
}

void ToolPanel::FindNextInPane() {
  if (finder.FindNext(Pane())) return;
  // The box's text is the tool's code page; a character it lacks shows as "?".
  const std::u16string term = finder.Term();
  std::string said(term.size() * 2 + 1, '\0');
  said.resize(static_cast<size_t>(::WideCharToMultiByte(932, 0, WidePointer(term), static_cast<int>(term.size()), &said[0], static_cast<int>(said.size()), NULL, NULL)));
  ShowMessage(("「" + said + "」が見つかりません。").c_str(), MB_ICONINFORMATION);
}
