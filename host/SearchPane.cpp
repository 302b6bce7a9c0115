#include "SearchPane.h"

namespace {

const int gap = 6;
const int rowHeight = 24;
const int buttonWidth = 70;

HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle, int id) {
  HWND child = ::CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(NULL), NULL);
  ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

}  // namespace

SearchPane::SearchPane()
    : parent(NULL), field(NULL), startButton(NULL), stopButton(NULL), results(NULL), tool(NULL), request(), worker(NULL) {}

SearchPane::~SearchPane() {
  if (worker) ::CloseHandle(worker);
}

void SearchPane::Create(HWND parentWindow) {
  parent = parentWindow;
  field = CreateChild(parent, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, IdSearchField);
  startButton = CreateChild(parent, "BUTTON", "検索", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IdSearchStart);
  stopButton = CreateChild(parent, "BUTTON", "中止", WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED, 0, IdSearchStop);
  results = CreateChild(parent, "LISTBOX", "", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, IdSearchResults);
}

void SearchPane::Layout(const RECT& area) {
  int width = area.right - area.left;
  int fieldWidth = width - 2 * (buttonWidth + gap);
  ::MoveWindow(field, area.left, area.top, fieldWidth, rowHeight, TRUE);
  ::MoveWindow(startButton, area.left + fieldWidth + gap, area.top, buttonWidth, rowHeight, TRUE);
  ::MoveWindow(stopButton, area.right - buttonWidth, area.top, buttonWidth, rowHeight, TRUE);
  int listTop = area.top + rowHeight + gap;
  ::MoveWindow(results, area.left, listTop, width, area.bottom - listTop, TRUE);
}

bool SearchPane::PreTranslateMessage(const MSG& msg) {
  if (msg.hwnd != field || msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) return false;
  ::PostMessageA(parent, WM_COMMAND, MAKEWPARAM(IdSearchStart, BN_CLICKED), reinterpret_cast<LPARAM>(startButton));
  return true;
}

bool SearchPane::Start(ToolBase* searchingTool, CWnd* resultWindow) {
  if (Running() || !searchingTool) return false;
  char text[1024];
  ::GetWindowTextA(field, text, sizeof(text));
  keyword = text;
  tool = searchingTool;
  request = SearchRequest();
  request.resultWindow = resultWindow;
  ::SendMessageA(results, LB_RESETCONTENT, 0, 0);
  worker = ::CreateThread(NULL, 0, SearchThreadProc, this, 0, NULL);
  if (!worker) return false;
  ShowRunning(true);
  return true;
}

void SearchPane::Stop() {
  if (Running()) request.stopFlag = 1;
}

int SearchPane::ResultCount() const { return static_cast<int>(::SendMessageA(results, LB_GETCOUNT, 0, 0)); }

void SearchPane::OnResult(const char* text) {
  int index = static_cast<int>(::SendMessageA(results, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
  if (index >= 0) ::SendMessageA(results, LB_SETTOPINDEX, index, 0);
}

void SearchPane::OnDone() {
  if (!worker) return;
  // The worker posted its message as its last act: its end is at hand.
  ::WaitForSingleObject(worker, INFINITE);
  ::CloseHandle(worker);
  worker = NULL;
  ShowRunning(false);
}

DWORD WINAPI SearchPane::SearchThreadProc(LPVOID parameter) {
  SearchPane* pane = static_cast<SearchPane*>(parameter);
  pane->tool->SearchMemos(&pane->request, pane->keyword.c_str());
  ::PostMessageA(pane->parent, WM_HOST_SEARCH_DONE, 0, 0);
  return 0;
}

void SearchPane::ShowRunning(bool running) {
  ::EnableWindow(startButton, !running);
  ::EnableWindow(stopButton, running);
}
