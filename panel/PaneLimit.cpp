#include "panel/PaneLimit.h"

#include <commctrl.h>

#include <string>

#include "core/MemoText.h"
#include "core/Utf16.h"
#include "framework/WideText.h"

namespace {

const UINT_PTR subclassId = 1;

const size_t roomy = static_cast<size_t>(-1);

// What the limit leaves for text put in place of the selection; roomy when
// incomingMost bytes cannot pass it.
size_t Budget(HWND pane, DWORD& start, size_t incomingMost) {
  DWORD end = 0;
  ::SendMessageW(pane, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const size_t length = static_cast<size_t>(::GetWindowTextLengthW(pane));
  // No unit counts more than two: most memos are far from the limit, and need no count.
  if ((length - (end - start)) * 2 + incomingMost <= TextPaneLimit) return roomy;
  const std::u16string text = GetWideText(pane);
  const size_t kept = PaneBytesOf(text.data(), text.size()) - PaneBytesOf(text.data() + start, end - start);
  return kept < TextPaneLimit ? TextPaneLimit - kept : 0;
}

// Whether a typed character fits. Half of a pair comes alone: the first
// needs room for both, the second only follows its first.
bool Admits(HWND pane, char16_t c) {
  if (c < 0x20 && c != u'\t' && c != u'\r') return true;
  DWORD start = 0;
  const size_t need = c == u'\r' ? 2 : IsHighSurrogate(c) ? 2 : PaneBytesOf(&c, 1);
  const size_t budget = Budget(pane, start, need);
  if (IsLowSurrogate(c)) {
    wchar_t before = 0;
    if (start > 0) {
      const std::u16string text = GetWideText(pane);
      before = text[start - 1];
    }
    return IsHighSurrogate(static_cast<char16_t>(before)) && budget >= 1;
  }
  return budget >= need;
}

std::u16string ClipboardText(HWND owner) {
  std::u16string text;
  if (!::IsClipboardFormatAvailable(CF_UNICODETEXT) || !::OpenClipboard(owner)) return text;
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  const char16_t* locked = data ? static_cast<const char16_t*>(::GlobalLock(data)) : NULL;
  if (locked) {
    text = locked;
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

// A paste past the limit goes in cut to what fits, as one edit Ctrl+Z takes
// back. False: the pane pastes as it does.
bool PasteFitting(HWND pane) {
  const std::u16string pasted = ClipboardText(pane);
  DWORD start = 0;
  const size_t budget = Budget(pane, start, pasted.size() * 2);
  if (budget == roomy) return false;
  const size_t units = FittingUnits(pasted.data(), pasted.size(), budget);
  ::SendMessageW(pane, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(WidePointer(pasted.substr(0, units))));
  if (units < pasted.size()) ::MessageBeep(MB_OK);
  return true;
}

LRESULT CALLBACK LimitProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  // A read-only pane takes nothing, and needs no count.
  if (!(::GetWindowLongW(pane, GWL_STYLE) & ES_READONLY)) {
    if ((message == WM_CHAR || message == WM_IME_CHAR) && !Admits(pane, static_cast<char16_t>(wParam))) {
      ::MessageBeep(MB_OK);
      return 0;
    }
    if (message == WM_PASTE && PasteFitting(pane)) return 0;
  }
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(pane, LimitProc, subclassId);
  return ::DefSubclassProc(pane, message, wParam, lParam);
}

}  // namespace

void LimitPaneInput(HWND pane) { ::SetWindowSubclass(pane, LimitProc, subclassId, 0); }
