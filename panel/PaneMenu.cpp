#include "panel/PaneMenu.h"

#include <commctrl.h>

namespace {

const UINT_PTR subclassId = 2;

enum : UINT {
  idUndo = 1,
  idCut,
  idCopy,
  idPaste,
  idClear,
  idSelectAll,
  idHistory,
  idReadFirst = 100,     // + the row of readings
  idConvertFirst = 200,  // + the row of conversions
};

// Each reading and conversion, in the order the submenus list them.
const struct {
  const char* label;
  std::optional<MemoEncoding> encoding;
} readings[] = {
    {"自動判定(&A)", std::nullopt},
    {"Shift_JIS(&S)", MemoEncoding::Cp932},
    {"UTF-8(&U)", MemoEncoding::Utf8},
    {"UTF-16(&W)", MemoEncoding::Utf16LeBom},
};
const struct {
  const char* label;
  MemoEncoding encoding;
} conversions[] = {
    {"Shift_JIS(&S)", MemoEncoding::Cp932},
    {"UTF-8 (BOM付き)(&B)", MemoEncoding::Utf8Bom},
    {"UTF-8(&U)", MemoEncoding::Utf8},
    {"UTF-16(&W)", MemoEncoding::Utf16LeBom},
};

// UTF-16 is one choice whichever byte order the file has.
bool SameChoice(MemoEncoding a, MemoEncoding b) {
  auto utf16 = [](MemoEncoding e) { return e == MemoEncoding::Utf16LeBom || e == MemoEncoding::Utf16BeBom; };
  return a == b || (utf16(a) && utf16(b));
}

bool SameReading(const std::optional<MemoEncoding>& a, const std::optional<MemoEncoding>& b) {
  if (!a || !b) return !a && !b;
  auto utf8 = [](MemoEncoding e) { return e == MemoEncoding::Utf8 || e == MemoEncoding::Utf8Bom; };
  return SameChoice(*a, *b) || (utf8(*a) && utf8(*b));
}

UINT Enabled(bool enabled) { return enabled ? MF_ENABLED : MF_GRAYED; }
UINT Checked(bool checked) { return checked ? MF_CHECKED : MF_UNCHECKED; }

HMENU EncodingMenu(const PaneMenuState& state) {
  HMENU readMenu = ::CreatePopupMenu(), convertMenu = ::CreatePopupMenu(), menu = ::CreatePopupMenu();
  for (UINT i = 0; i < sizeof(readings) / sizeof(readings[0]); ++i)
    ::AppendMenuA(readMenu, Checked(SameReading(readings[i].encoding, state.reading)), idReadFirst + i, readings[i].label);
  for (UINT i = 0; i < sizeof(conversions) / sizeof(conversions[0]); ++i)
    ::AppendMenuA(convertMenu, Checked(SameChoice(conversions[i].encoding, state.written)) | Enabled(state.mayConvert), idConvertFirst + i,
                  conversions[i].label);
  ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(readMenu), "指定して開き直す(&R)");
  ::AppendMenuA(menu, MF_POPUP | Enabled(state.mayConvert), reinterpret_cast<UINT_PTR>(convertMenu), "変換して保存(&S)");
  return menu;
}

LRESULT CALLBACK MenuRequestProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_CONTEXTMENU) return ::SendMessageW(::GetParent(pane), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pane), lParam);
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(pane, MenuRequestProc, subclassId);
  return ::DefSubclassProc(pane, message, wParam, lParam);
}

}  // namespace

void SendPaneMenuToPanel(HWND pane) { ::SetWindowSubclass(pane, MenuRequestProc, subclassId, 0); }

PaneMenuChoice TrackPaneMenu(HWND pane, HWND owner, POINT at, const PaneMenuState& state) {
  DWORD start = 0, end = 0;
  ::SendMessageW(pane, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool selected = start != end, writable = !(::GetWindowLongW(pane, GWL_STYLE) & ES_READONLY);
  if (at.x == -1 && at.y == -1) {
    LRESULT caret = ::SendMessageW(pane, EM_POSFROMCHAR, end, 0);
    at = {static_cast<short>(LOWORD(caret)), static_cast<short>(HIWORD(caret))};
    ::ClientToScreen(pane, &at);
  }
  HMENU menu = ::CreatePopupMenu();
  ::AppendMenuA(menu, Enabled(::SendMessageW(pane, EM_CANUNDO, 0, 0) != 0), idUndo, "元に戻す(&U)");
  ::AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
  ::AppendMenuA(menu, Enabled(selected && writable), idCut, "切り取り(&T)");
  ::AppendMenuA(menu, Enabled(selected), idCopy, "コピー(&C)");
  ::AppendMenuA(menu, Enabled(writable && ::IsClipboardFormatAvailable(CF_UNICODETEXT)), idPaste, "貼り付け(&P)");
  ::AppendMenuA(menu, Enabled(selected && writable), idClear, "削除(&D)");
  ::AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
  ::AppendMenuA(menu, Enabled(::GetWindowTextLengthW(pane) > 0), idSelectAll, "すべて選択(&A)");
  ::AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
  ::AppendMenuA(menu, MF_POPUP | Enabled(state.textMemo), reinterpret_cast<UINT_PTR>(EncodingMenu(state)), "文字コード(&E)");
  ::AppendMenuA(menu, Enabled(state.textMemo), idHistory, "履歴…(&H)");
  const UINT id = static_cast<UINT>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, NULL));
  ::DestroyMenu(menu);

  PaneMenuChoice choice;
  switch (id) {
    case idUndo:
      ::SendMessageW(pane, WM_UNDO, 0, 0);
      break;
    case idCut:
      ::SendMessageW(pane, WM_CUT, 0, 0);
      break;
    case idCopy:
      ::SendMessageW(pane, WM_COPY, 0, 0);
      break;
    case idPaste:
      ::SendMessageW(pane, WM_PASTE, 0, 0);
      break;
    case idClear:
      ::SendMessageW(pane, WM_CLEAR, 0, 0);
      break;
    case idSelectAll:
      ::SendMessageW(pane, EM_SETSEL, 0, -1);
      break;
    case idHistory:
      choice.kind = PaneMenuChoice::History;
      break;
    default:
      if (id >= idConvertFirst && id - idConvertFirst < sizeof(conversions) / sizeof(conversions[0])) {
        choice.kind = PaneMenuChoice::ConvertTo;
        choice.encoding = conversions[id - idConvertFirst].encoding;
      } else if (id >= idReadFirst && id - idReadFirst < sizeof(readings) / sizeof(readings[0])) {
        choice.kind = PaneMenuChoice::ReadAs;
        choice.encoding = readings[id - idReadFirst].encoding;
      }
  }
  return choice;
}
