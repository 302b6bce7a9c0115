// The pane's right-click menu, also on Shift+F10 and the menu key: the edit
// control's own commands, and the memo's encoding, to read the file anew as
// another or to convert it at the next save.
#pragma once
#include <windows.h>

#include <optional>

#include "core/MemoEncoding.h"

// The panel hears of every request for the pane's menu as WM_CONTEXTMENU
// with the pane in wParam, in place of the edit control's own menu.
void SendPaneMenuToPanel(HWND pane);

struct PaneMenuState {
  bool textMemo;                        // a text memo is open: its encoding may be chosen
  bool mayConvert;                      // and its pane may be written
  std::optional<MemoEncoding> reading;  // the user's reading, or the detector's
  MemoEncoding written;                 // the encoding the next save writes
};

struct PaneMenuChoice {
  enum Kind { None, ReadAs, ConvertTo, History } kind = None;
  std::optional<MemoEncoding> encoding;  // ReadAs: none for the detector's
};

// Shows the menu at screen point at (-1, -1: at the caret). The edit
// commands are carried out here; an encoding chosen is returned.
PaneMenuChoice TrackPaneMenu(HWND pane, HWND owner, POINT at, const PaneMenuState& state);
