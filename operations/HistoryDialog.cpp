#include "operations/HistoryDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "framework/UnicodeEdit.h"
#include "framework/WideText.h"
#include "resources/resource.h"

namespace {

const char* const columns[] = {"日時", "サイズ", "1行目"};
const size_t firstLineShown = 80;

std::wstring LocalTime(uint64_t ticks) {
  FILETIME utc = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}, local;
  SYSTEMTIME at = {};
  ::FileTimeToLocalFileTime(&utc, &local);
  ::FileTimeToSystemTime(&local, &at);
  wchar_t text[32];
  swprintf(text, 32, L"%04u/%02u/%02u %02u:%02u:%02u", at.wYear, at.wMonth, at.wDay, at.wHour, at.wMinute, at.wSecond);
  return text;
}

std::wstring FirstLine(const std::u16string& text) {
  size_t end = std::min(text.find_first_of(u"\r\n"), std::min(text.size(), firstLineShown));
  return std::wstring(text.begin(), text.begin() + end);
}

void SetCell(HWND list, int row, int column, const std::wstring& text) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  ::SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, column == 0 ? 0 : row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

HistoryDialog::HistoryDialog(CWnd* parent) : CDialog(IDD_HISTORY, parent), mayRestore(true), chosen(-1) {}

BOOL HistoryDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  HWND preview = MakeUnicodeEdit(m_hWnd, IDC_HISTORY_PREVIEW);
  ::SendMessageW(preview, EM_SETLIMITTEXT, 0, 0);
  HWND list = GetDlgItem(IDC_HISTORY_LIST);
  // A Unicode list: titles and first lines in any script.
  ::SendMessageW(list, CCM_SETUNICODEFORMAT, TRUE, 0);
  ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (int i = 0; i < 3; ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<char*>(columns[i]);
    ::SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    const int row = static_cast<int>(i);
    SetCell(list, row, 0, LocalTime(entries[i].time));
    wchar_t size[32];
    swprintf(size, 32, L"%llu バイト", static_cast<unsigned long long>(entries[i].size));
    SetCell(list, row, 1, size);
    SetCell(list, row, 2, FirstLine(entries[i].text));
  }
  // As wide as their texts, in the font and at the DPI the dialog has.
  for (int i = 0; i < 3; ++i) ::SendMessageA(list, LVM_SETCOLUMNWIDTH, i, LVSCW_AUTOSIZE_USEHEADER);
  if (!entries.empty()) {
    LVITEMA item = {};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
  }
  ::EnableWindow(GetDlgItem(IDOK), mayRestore && !entries.empty());
  ShowPreview();
  // The arrows move through the versions from the start.
  ::SetFocus(list);
  return FALSE;
}

void HistoryDialog::OnOK() {
  chosen = Selected();
  if (chosen < 0 || !mayRestore) return;
  CDialog::OnOK();
}

bool HistoryDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_HISTORY_LIST && header->code == LVN_ITEMCHANGED) ShowPreview();
    if (header->idFrom == IDC_HISTORY_LIST && header->code == NM_DBLCLK) OnOK();
  }
  return CDialog::OnMessage(message, wParam, lParam, result);
}

int HistoryDialog::Selected() const {
  return static_cast<int>(::SendMessageA(GetDlgItem(IDC_HISTORY_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void HistoryDialog::ShowPreview() {
  int selected = Selected();
  const std::u16string text = selected >= 0 ? entries[selected].text : std::u16string();
  ::SetWindowTextW(GetDlgItem(IDC_HISTORY_PREVIEW), WidePointer(text));
}
