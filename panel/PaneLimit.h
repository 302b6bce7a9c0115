// The pane takes typing and pastes only while the memo stays within its
// limit, counted as the memo's open rule counts it: what the pane holds
// always reopens whole and editable.
#pragma once
#include <windows.h>

void LimitPaneInput(HWND pane);
