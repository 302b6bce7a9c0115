// The memo list is a list view in report mode that keeps no items of its own
// (owner data: a list of ten thousand memos fills as fast as a vector grows)
// and lets us draw them (owner draw: the one sure way to an exact item height).
// The selection is ours too: the list view never sees a click or an arrow key,
// so that the owner hears of every change before it happens.
#include "components/vardenlist/VardenListBox.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "core/NameText.h"
#include "framework/Wnd.h"

namespace {

const char objectProperty[] = "ScribbitVardenList";
const int textMargin = 4;

CVardenListBox* FromWindow(HWND window) { return static_cast<CVardenListBox*>(::GetPropA(window, objectProperty)); }

// Posted after the first item of a batch is added, so that a whole batch costs
// one item count update; any message the list gets brings the count up to date.
UINT ItemCountMessage() {
  static const UINT message = ::RegisterWindowMessageA("ScribbitVardenListItemCount");
  return message;
}

// The length that fits a buffer of size bytes with its terminator, without
// cutting a character in two.
size_t FittingLength(const std::string& text, size_t size) {
  if (text.size() < size) return text.size();
  size_t length = size - 1;
  while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  return length;
}

// Without the focus the selection is drawn in the highlight colour halfway to
// the window's: still plain to see, for an entry taken for unselected turns a
// click on it into a slow second click, which asks for a rename. The window's
// text colour stays readable on it, as on the window itself.
COLORREF UnfocusedSelectionColour() {
  COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT), window = ::GetSysColor(COLOR_WINDOW);
  return RGB((GetRValue(highlight) + GetRValue(window)) / 2, (GetGValue(highlight) + GetGValue(window)) / 2,
             (GetBValue(highlight) + GetBValue(window)) / 2);
}

// Where an index goes when the item at deleted is removed; -1 for that item itself.
int IndexAfterDeletion(int index, int deleted) {
  if (index < deleted) return index;
  return index == deleted ? -1 : index - 1;
}

}  // namespace

CVardenListBox* CVardenListBox::NewVardenCtrl(CWnd* parent, const char* name, const RECT& rect, WORD id) {
  CVardenListBox* control = new CVardenListBox;
  if (control->Create(parent->m_hWnd, name, rect, id)) return control;
  delete control;
  return NULL;
}

CVardenListBox::CVardenListBox()
    : frame(NULL),
      label(NULL),
      hoveredItem(-1),
      frameDefaultProc(NULL),
      listDefaultProc(NULL),
      handlers(),
      selection(-1),
      pendingSelection(-1),
      changingSelection(false),
      itemCountPending(false),
      drawItemLines(false),
      itemHeight(0),
      listFont(NULL),
      selectedAt(0),
      clickRaisedRename(false),
      currentDrop(NULL) {}

CVardenListBox::~CVardenListBox() { Teardown(); }

bool CVardenListBox::Create(HWND parent, const char* name, const RECT& rect, WORD id) {
  INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&classes);
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  HMENU controlId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;

  // The list view tells its parent what it draws and measures, so it gets a
  // parent of ours: a plain static window, since a window class of our own
  // would have to be unregistered whenever the plug-in is unloaded.
  frame = ::CreateWindowExA(WS_EX_CONTROLPARENT, "STATIC", "", WS_CHILD | WS_CLIPCHILDREN, rect.left, rect.top, width, height, parent,
                            controlId, instance, NULL);
  if (!frame) return false;
  // The list's name for a screen reader: a static right before it that is
  // never shown, as for any control without a caption of its own.
  label = ::CreateWindowExA(0, "STATIC", name, WS_CHILD, 0, 0, 0, 0, frame, NULL, instance, NULL);
  ::SetPropA(frame, objectProperty, this);
  frameDefaultProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProc)));

  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
                      LVS_OWNERDATA | LVS_OWNERDRAWFIXED;
  HWND window = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, name, style, 0, 0, width, height, frame, controlId, instance, NULL);
  if (!window) return false;
  list.Attach(window);
  ::SetPropA(window, objectProperty, this);
  listDefaultProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc)));
  list.SetExtendedListViewStyle(LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);

  // The column leaves room for the vertical scroll bar, so a long list gets no horizontal one.
  RECT client;
  ::GetClientRect(window, &client);
  LVCOLUMNA column = {};
  column.mask = LVCF_WIDTH;
  column.cx = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
  list.InsertColumn(0, column);
  tip.Create(window, instance);
  return true;
}

void CVardenListBox::Teardown() {
  tip.Destroy();
  if (frame) ::DestroyWindow(frame);
}

void CVardenListBox::SetActive(int active) {
  ::ShowWindow(frame, active ? SW_SHOW : SW_HIDE);
  ::DragAcceptFiles(list.GetSafeHwnd(), active != 0);
}

void CVardenListBox::SetListFont(HFONT font, int redraw) {
  listFont = font;
  list.SetFont(font, redraw);
  // A new font may make the list view measure its items by the font again.
  ApplyItemHeight();
}

void CVardenListBox::SetEventHandler(int event, VardenEventHandler handler, void* context) {
  if (event < 0 || event >= EventCount) return;
  handlers[event].handler = handler;
  handlers[event].context = context;
}

void CVardenListBox::SetUseItemLine(int use) {
  drawItemLines = use != 0;
  ::InvalidateRect(list.GetSafeHwnd(), NULL, TRUE);
}

void CVardenListBox::SetUseColumnHeader(int use) { SetListStyle(LVS_NOCOLUMNHEADER, !use); }

// Renaming goes through the owner (the rename event), which renames the memo's
// file too; editing in place would change the title alone.
void CVardenListBox::SetEditable(int) {}

void CVardenListBox::SetColumnLabel(int column, const char* text) {
  // Named as its first column is, by the label a screen reader looks for
  // and by its own text, which some read instead.
  if (column == 0) {
    ::SetWindowTextA(label, text);
    ::SetWindowTextA(list.GetSafeHwnd(), text);
  }
  LVCOLUMNA info = {};
  info.mask = LVCF_TEXT;
  info.pszText = const_cast<char*>(text);
  list.SetColumn(column, info);
}

void CVardenListBox::SetItemHeight(unsigned height) {
  itemHeight = height;
  ApplyItemHeight();
}

void CVardenListBox::ResetContent() {
  // The count is left to the batch that follows: dropping it to zero now would
  // hide the scroll bar only to show it again, which under Wine costs more than
  // the whole fill.
  list.EnsureVisible(0);
  items.clear();
  selection = -1;
  pendingSelection = -1;
  ShowSelectionState();
  ScheduleItemCountSync();
}

int CVardenListBox::AddString(const char* text) {
  items.push_back(CItem{text ? text : "", 0});
  ScheduleItemCountSync();
  return GetCount() - 1;
}

int CVardenListBox::GetCount() const { return static_cast<int>(items.size()); }

void CVardenListBox::SetItemData(int index, DWORD data) {
  if (IsValidIndex(index)) items[index].data = data;
}

DWORD CVardenListBox::GetItemData(int index) const { return IsValidIndex(index) ? items[index].data : 0; }

int CVardenListBox::GetText(int index, char* buffer) const {
  buffer[0] = '\0';
  if (!IsValidIndex(index)) return -1;
  const std::string& text = items[index].text;
  size_t length = FittingLength(text, TextBufferSize);
  memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

void CVardenListBox::SetItemText(int index, const char* text) {
  if (!IsValidIndex(index)) return;
  items[index].text = text ? text : "";
  RedrawItem(index);
}

int CVardenListBox::GetCurSel() const { return selection; }

int CVardenListBox::SetCurSel(int index) {
  if (index < -1 || index >= GetCount()) return -1;
  ChangeSelection(index, VardenEventBeforeChange);
  return index;
}

int CVardenListBox::DeleteString(int index) {
  if (!IsValidIndex(index)) return -1;
  items.erase(items.begin() + index);
  selection = IndexAfterDeletion(selection, index);
  pendingSelection = IndexAfterDeletion(pendingSelection, index);
  ScheduleItemCountSync();
  ShowSelectionState();
  return GetCount();
}

BOOL CVardenListBox::GetDropFileInfo(HDROP* drop) const {
  if (drop) *drop = currentDrop;
  return currentDrop != NULL;
}

HWND CVardenListBox::GetSafeHwnd() const { return list.GetSafeHwnd(); }

void CVardenListBox::ShowSelectionState() const {
  // The list view draws nothing of its own, but a screen reader asks it
  // which item is selected, and hears of changes from it.
  list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (selection < 0) return;
  list.SetItemState(selection, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  // Not every list view tells of a change it did not make itself.
  HWND window = list.GetSafeHwnd();
  ::NotifyWinEvent(EVENT_OBJECT_SELECTION, window, OBJID_CLIENT, selection + 1);
  if (::GetFocus() == window) ::NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, selection + 1);
}

LRESULT CALLBACK CVardenListBox::FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return FromWindow(window)->OnFrameMessage(message, wParam, lParam);
}

LRESULT CALLBACK CVardenListBox::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return FromWindow(window)->OnListMessage(message, wParam, lParam);
}

LRESULT CVardenListBox::OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = frame;
  switch (message) {
    case WM_MEASUREITEM:
      if (itemHeight) reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = itemHeight;
      return TRUE;
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_NOTIFY:
      // The list view keeps no texts of its own: whoever asks it for an
      // item's text (a screen reader, a test) gets the item's.
      if (reinterpret_cast<const NMHDR*>(lParam)->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0 && IsValidIndex(item.iItem)) {
          std::u16string text = Utf16FromUtf8(items[item.iItem].text);
          size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax) - 1);
          memcpy(item.pszText, text.data(), length * sizeof(wchar_t));
          item.pszText[length] = L'\0';
        }
        return 0;
      }
      break;
    case WM_NOTIFYFORMAT:
      // Titles in UTF-16, whatever the system's code page.
      return NFR_UNICODE;
    case WM_NCDESTROY:
      ::RemovePropA(window, objectProperty);
      ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(frameDefaultProc));
      frame = NULL;
      break;
  }
  return ::CallWindowProcA(frameDefaultProc, window, message, wParam, lParam);
}

LRESULT CVardenListBox::OnListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = list.GetSafeHwnd();
  SyncItemCount();
  switch (message) {
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      OnLeftButtonDoubleClick(lParam);
      return 0;
    // The list view would move its own selection on a right click.
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      ::SetFocus(window);
      return 0;
    // The owner's menu, which a list view that saw the right button go down would ask for.
    case WM_RBUTTONUP: {
      POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ::ClientToScreen(window, &at);
      ::SendMessageW(::GetParent(frame), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(at.x, at.y));
      return 0;
    }
    case WM_KEYDOWN:
      if (OnKeyDown(wParam)) return 0;
      break;
    // Type-ahead would move the list view's own selection and scroll to it.
    case WM_CHAR:
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_MOUSEMOVE: {
      // After the list view, which asks for its own mouse tracking.
      LRESULT result = ::CallWindowProcA(listDefaultProc, window, message, wParam, lParam);
      OnMouseMove(lParam);
      return result;
    }
    case WM_MOUSEHOVER:
      ShowTip(lParam);
      break;
    case WM_MOUSELEAVE:
      hoveredItem = -1;
      tip.Hide();
      break;
    // The selection is drawn in another colour while the list has no focus.
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      RedrawItem(selection);
      break;
    case WM_NCDESTROY:
      ::RemovePropA(window, objectProperty);
      ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listDefaultProc));
      list.Attach(NULL);
      break;
  }
  return ::CallWindowProcA(listDefaultProc, window, message, wParam, lParam);
}

int CVardenListBox::Raise(int event) {
  const CHandler& target = handlers[event];
  return target.handler ? target.handler(target.context) : 0;
}

void CVardenListBox::ChangeSelection(int target, int beforeEvent) {
  // A change asked for while the owner handles the before-change event only
  // moves the target: the owner still sees one event before and one after.
  if (changingSelection) {
    pendingSelection = target;
    return;
  }
  if (target == selection) return;
  pendingSelection = target;
  changingSelection = true;
  // The owner keeps the selection where it is by answering 0.
  bool allowed = !handlers[beforeEvent].handler || Raise(beforeEvent) != 0;
  if (!allowed) {
    pendingSelection = selection;
    changingSelection = false;
    RedrawItem(selection);
    return;
  }
  int previous = selection;
  selection = pendingSelection;
  selectedAt = ::GetTickCount();
  changingSelection = false;
  ShowSelectionState();
  RedrawItem(previous);
  RedrawItem(selection);
  if (selection >= 0) list.EnsureVisible(selection);
  Raise(VardenEventSelChange);
}

int CVardenListBox::ItemAt(LPARAM point) const {
  LVHITTESTINFO info = {};
  info.pt.x = GET_X_LPARAM(point);
  info.pt.y = GET_Y_LPARAM(point);
  return list.HitTest(info);
}

void CVardenListBox::OnLeftButtonDown(LPARAM point) {
  ::SetFocus(list.GetSafeHwnd());
  clickRaisedRename = false;
  int index = ItemAt(point);
  // A click below the items keeps the selection, as the owner's open memo stays open.
  if (index < 0) return;
  if (index != selection) {
    ChangeSelection(index, VardenEventBeforeChange);
    return;
  }
  // A slow second click on the selected item asks for a rename, as in a file list.
  if (::GetTickCount() - selectedAt > ::GetDoubleClickTime()) {
    clickRaisedRename = true;
    Raise(VardenEventRename);
  }
}

void CVardenListBox::OnLeftButtonDoubleClick(LPARAM point) {
  int index = ItemAt(point);
  if (index < 0 || index != selection) {
    OnLeftButtonDown(point);
    return;
  }
  // The first click already asked when the item had been selected long before.
  if (!clickRaisedRename) Raise(VardenEventRename);
}

bool CVardenListBox::OnKeyDown(WPARAM key) {
  switch (key) {
    case VK_F2:
      if (selection >= 0) Raise(VardenEventRename);
      return true;
    case VK_DELETE:
      if (selection >= 0) Raise(VardenEventDelete);
      return true;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
      ChangeSelection(NavigationTarget(key), VardenEventBeforeKeyChange);
      return true;
  }
  return false;
}

int CVardenListBox::NavigationTarget(WPARAM key) const {
  int last = GetCount() - 1;
  // A page keeps one item of the previous page in view, as a list box does.
  int page = std::max(list.GetCountPerPage() - 1, 1);
  int target = selection;
  switch (key) {
    case VK_UP:
      target = selection - 1;
      break;
    case VK_DOWN:
      target = selection + 1;
      break;
    case VK_PRIOR:
      target = selection - page;
      break;
    case VK_NEXT:
      target = selection + page;
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = last;
      break;
  }
  return std::min(std::max(target, 0), last);
}

void CVardenListBox::OnDropFiles(HDROP drop) {
  currentDrop = drop;
  Raise(VardenEventFilesDropped);
  currentDrop = NULL;
  ::DragFinish(drop);
}

void CVardenListBox::DrawItem(const DRAWITEMSTRUCT& item) const {
  int index = static_cast<int>(item.itemID);
  if (!IsValidIndex(index)) return;
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  bool selected = index == selection;
  bool focused = ::GetFocus() == list.GetSafeHwnd();
  COLORREF background = !selected ? ::GetSysColor(COLOR_WINDOW) : focused ? ::GetSysColor(COLOR_HIGHLIGHT) : UnfocusedSelectionColour();
  ::SetDCBrushColor(dc, background);
  ::FillRect(dc, &rect, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
  if (drawItemLines) {
    rect.bottom--;
    RECT line = {rect.left, rect.bottom, rect.right, rect.bottom + 1};
    ::FillRect(dc, &line, ::GetSysColorBrush(COLOR_BTNFACE));
  }
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(selected && focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  HGDIOBJ previousFont = listFont ? ::SelectObject(dc, listFont) : NULL;
  rect.left += textMargin;
  std::u16string text = Utf16FromUtf8(items[index].text);
  ::DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &rect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (previousFont) ::SelectObject(dc, previousFont);
}

// Measured as DrawItem draws it.
bool CVardenListBox::IsTextCut(int index) const {
  RECT rect = {LVIR_BOUNDS, 0, 0, 0};
  if (!IsValidIndex(index) || !list.SendMessage(LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect))) return false;
  std::u16string text = Utf16FromUtf8(items[index].text);
  HDC dc = ::GetDC(list.GetSafeHwnd());
  HGDIOBJ previousFont = listFont ? ::SelectObject(dc, listFont) : NULL;
  SIZE size = {};
  ::GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &size);
  if (previousFont) ::SelectObject(dc, previousFont);
  ::ReleaseDC(list.GetSafeHwnd(), dc);
  return size.cx > rect.right - rect.left - textMargin;
}

void CVardenListBox::OnMouseMove(LPARAM point) {
  int item = ItemAt(point);
  if (item == hoveredItem) return;
  hoveredItem = item;
  tip.Hide();
  // The tip of the new item waits until the mouse rests on it.
  TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, list.GetSafeHwnd(), HOVER_DEFAULT};
  ::TrackMouseEvent(&track);
}

void CVardenListBox::ShowTip(LPARAM point) {
  int item = ItemAt(point);
  if (item != hoveredItem || !IsTextCut(item)) return;
  RECT rect = {LVIR_BOUNDS, 0, 0, 0};
  list.SendMessage(LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
  // Over the item's own text, as a label tip lies.
  POINT at = {rect.left + textMargin - 3, rect.top};
  ::ClientToScreen(list.GetSafeHwnd(), &at);
  tip.Show(Utf16FromUtf8(items[item].text), at);
}

void CVardenListBox::ScheduleItemCountSync() {
  if (itemCountPending || !list.GetSafeHwnd()) return;
  itemCountPending = true;
  list.PostMessage(ItemCountMessage());
  // So that an UpdateWindow right after the batch paints it.
  ::InvalidateRect(list.GetSafeHwnd(), NULL, TRUE);
}

void CVardenListBox::ShowAddedItems() {
  if (!itemCountPending) return;
  // A count set while the list draws shows the scroll bar and draws it at
  // once, and the frame's paint draws it again: under Wine 2 ms, a twentieth
  // of listing 10,000 memos. With drawing off at the window's level the list
  // view only sets the range; the paint that follows draws it once.
  HWND window = list.GetSafeHwnd();
  // Drawing back on would show a list someone hid.
  if (!(::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE)) return SyncItemCount();
  ::DefWindowProcA(window, WM_SETREDRAW, FALSE, 0);
  SyncItemCount();
  ::DefWindowProcA(window, WM_SETREDRAW, TRUE, 0);
  ::RedrawWindow(window, NULL, NULL, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CVardenListBox::SyncItemCount() {
  if (!itemCountPending) return;
  itemCountPending = false;
  list.SetItemCount(GetCount());
}

// The list view asks for the item height once, when it is created; word that
// its size changed makes it ask again.
void CVardenListBox::ApplyItemHeight() const {
  RECT rect;
  ::GetWindowRect(list.GetSafeHwnd(), &rect);
  WINDOWPOS position = {list.GetSafeHwnd(),
                        NULL,
                        0,
                        0,
                        rect.right - rect.left,
                        rect.bottom - rect.top,
                        SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOZORDER};
  list.SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
}

void CVardenListBox::RedrawItem(int index) const {
  if (index >= 0) list.RedrawItems(index, index);
}

void CVardenListBox::SetListStyle(DWORD style, bool on) const {
  HWND window = list.GetSafeHwnd();
  DWORD styles = ::GetWindowLongA(window, GWL_STYLE);
  ::SetWindowLongA(window, GWL_STYLE, on ? styles | style : styles & ~style);
}
