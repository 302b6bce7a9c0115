#include "framework/Window.h"

CString CWindow::GetWindowText() const {
  CString text;
  int length = GetWindowTextLength();
  char* buffer = text.GetBuffer(length);
  int got = GetWindowText(buffer, length + 1);
  text.ReleaseBuffer(got);
  return text;
}
