#include "panel/PaneFinder.h"

#include "framework/WideText.h"

PaneFinder::PaneFinder() : requestMessage(::RegisterWindowMessageW(FINDMSGSTRINGW)), request(), options{true, false, false}, term(), dialog(NULL) {}

PaneFinder::~PaneFinder() {
  if (dialog) ::DestroyWindow(dialog);
}

void PaneFinder::Open(HWND owner, HWND pane) {
  DWORD start = 0, end = 0;
  ::SendMessageW(pane, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (end > start && end - start < sizeof(term) / sizeof(term[0])) {
    std::u16string selected = GetWideText(pane).substr(start, end - start);
    if (selected.find_first_of(u"\r\n") == std::u16string::npos) lstrcpynW(term, WidePointer(selected), static_cast<int>(selected.size()) + 1);
  }
  if (dialog) {
    ::SetDlgItemTextW(dialog, edt1, term);
    ::SetActiveWindow(dialog);
    return;
  }
  request.lStructSize = sizeof(request);
  request.hwndOwner = owner;
  request.lpstrFindWhat = term;
  request.wFindWhatLen = sizeof(term);
  request.Flags = (options.down ? FR_DOWN : 0) | (options.matchCase ? FR_MATCHCASE : 0) | (options.wholeWord ? FR_WHOLEWORD : 0);
  dialog = ::FindTextW(&request);
}

bool PaneFinder::TakeRequest() {
  if (request.Flags & FR_DIALOGTERM) {
    dialog = NULL;
    return false;
  }
  if (!(request.Flags & FR_FINDNEXT)) return false;
  options = {(request.Flags & FR_DOWN) != 0, (request.Flags & FR_MATCHCASE) != 0, (request.Flags & FR_WHOLEWORD) != 0};
  return true;
}

bool PaneFinder::FindNext(HWND pane) const {
  DWORD start = 0, end = 0;
  ::SendMessageW(pane, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::u16string what = Term();
  int at = FindInText(GetWideText(pane), static_cast<int>(options.down ? end : start), what, options);
  if (at < 0) return false;
  ::SendMessageW(pane, EM_SETSEL, at, at + static_cast<int>(what.size()));
  ::SendMessageW(pane, EM_SCROLLCARET, 0, 0);
  return true;
}
