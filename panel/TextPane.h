// The text pane: the Unicode edit control that shows the open text memo.
// Its modified flag tells a pane the user edited from one that shows its
// file: setting its text clears the flag.
#pragma once
#include <string>

#include "framework/WideText.h"
#include "framework/Window.h"

class TextPane : public CWindow {
public:
  explicit TextPane(HWND pane) : CWindow(pane) {}

  std::u16string Text() const { return GetWideText(m_hWnd); }
  int TextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
  bool Edited() const { return GetModify() != FALSE; }
  // Shows text from its top, unedited.
  void Show(const std::u16string& text) const { ::SetWindowTextW(m_hWnd, WidePointer(text)); }
  // Replaces the text from start to end (-1: its end) as an edit the user
  // can undo. A stamp or a replacement may take the text past the typing
  // limit, which would cut it.
  void Replace(int start, int end, const std::u16string& text) const {
    UINT limit = GetLimitText();
    size_t length = TextLength() + text.size();
    if (length > limit) SetLimitText(static_cast<UINT>(length));
    ::SendMessageW(m_hWnd, EM_SETSEL, start, end);
    ::SendMessageW(m_hWnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(WidePointer(text)));
    SetLimitText(limit);
  }
};
