// CToolTipCtrl: tooltips for controls, fed by relayed mouse messages.
#pragma once
#include <string>
#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd {
public:
  BOOL Create(CWnd* parent, DWORD style = 0);
  void SetDelayTime(DWORD duration, int milliseconds) const { SendMessage(TTM_SETDELAYTIME, duration, MAKELONG(milliseconds, 0)); }
  // Registers tool with text; a tool registered again shows the new text.
  BOOL AddTool(HWND tool, const char* text);
  // The text in UTF-16: a memo's title, whatever code page 932 spells.
  BOOL AddTool(HWND tool, const std::u16string& text);
  void RelayEvent(MSG* msg) const { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
  // The text shown for tool, into a buffer of size bytes; empty when none.
  void GetText(HWND tool, char* buffer, int size) const;
  int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

private:
  TOOLINFOA ToolInfo(HWND tool, const char* text) const;
};
