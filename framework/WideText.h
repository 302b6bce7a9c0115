// The tool's own texts (settings, dialog fields, messages) are code page 932
// whatever the system's code page; the text pane holds UTF-16.
#pragma once
#include <windows.h>

#include <string>

inline std::u16string WideFromCp932(const char* text, int length = -1) {
  if (length < 0) length = static_cast<int>(strlen(text));
  std::u16string wide(static_cast<size_t>(length), u'\0');
  if (length == 0) return wide;
  wide.resize(static_cast<size_t>(::MultiByteToWideChar(932, 0, text, length, reinterpret_cast<wchar_t*>(&wide[0]), length)));
  return wide;
}

inline const wchar_t* WidePointer(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// An edit control's whole text.
inline std::u16string GetWideText(HWND window) {
  std::u16string text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, u'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, reinterpret_cast<wchar_t*>(&text[0]), static_cast<int>(text.size()))));
  return text;
}
