// CVardenListBox: the memo list control, its item texts in UTF-8
// (core/NameText.h), drawn and answered in UTF-16. A single-column list with a header,
// lines between items and one data word per item, which tells its owner about
// selection changes, rename requests and dropped files through registered
// event handlers.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "components/vardenlist/VardenListView.h"
#include "components/vardenlist/VardenTip.h"

class CWnd;

// An event handler receives the context registered with it.
typedef int (*VardenEventHandler)(void* context);

enum VardenEvent {
  VardenEventRename = 3,           // the user asks to rename the selected item
  VardenEventDelete = 4,           // the user asks to delete the selected item (Del)
  VardenEventFilesDropped = 7,     // files were dropped; GetDropFileInfo is valid during the event
  VardenEventBeforeChange = 8,     // the selection is about to change (mouse or program); 0 keeps it
  VardenEventSelChange = 9,        // the selection has changed
  VardenEventBeforeKeyChange = 10  // the selection is about to change (keyboard); 0 keeps it
};

class CVardenListBox {
public:
  // Creates the control as a child of parent in rect (client coordinates).
  static CVardenListBox* NewVardenCtrl(CWnd* parent, const char* name, const RECT& rect, WORD id);

  // Virtual operations, in this order.
  virtual ~CVardenListBox();
  virtual void Teardown();             // destroys the window; the object stays
  virtual void SetActive(int active);  // shows the list and accepts dropped files when 1
  virtual void SetListFont(HFONT font, int redraw);
  virtual void SetEventHandler(int event, VardenEventHandler handler, void* context);

  void SetUseItemLine(int use);
  void SetUseColumnHeader(int use);
  void SetEditable(int editable);
  void SetColumnLabel(int column, const char* text);
  void SetItemHeight(unsigned height);

  void ResetContent();
  int AddString(const char* text);  // index at which the item was placed
  // Shows a batch of added items now, with one paint to come; otherwise they
  // show at the list's next message.
  void ShowAddedItems();
  int GetCount() const;
  void SetItemData(int index, DWORD data);
  DWORD GetItemData(int index) const;
  int GetText(int index, char* buffer) const;  // buffer of TextBufferSize bytes; returns the length
  void SetItemText(int index, const char* text);
  int GetCurSel() const;                    // negative when nothing is selected
  int SetCurSel(int index);                 // raises the before-change and changed events
  int DeleteString(int index);              // number of items left
  BOOL GetDropFileInfo(HDROP* drop) const;  // during event 7 only
  HWND GetSafeHwnd() const;

  // A file name of 255 UTF-16 units, the most Windows allows, in UTF-8.
  enum { TextBufferSize = 3 * 255 + 1 };

protected:
  CVardenListBox();

private:
  struct CItem {
    std::string text;
    DWORD data;
  };
  struct CHandler {
    VardenEventHandler handler;
    void* context;
  };
  enum { EventCount = 11 };

  CVardenListBox(const CVardenListBox&) = delete;
  CVardenListBox& operator=(const CVardenListBox&) = delete;

  bool Create(HWND parent, const char* name, const RECT& rect, WORD id);
  static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnListMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool IsValidIndex(int index) const { return index >= 0 && index < GetCount(); }
  int Raise(int event);
  void ChangeSelection(int target, int beforeEvent);
  int ItemAt(LPARAM point) const;
  void OnLeftButtonDown(LPARAM point);
  void OnLeftButtonDoubleClick(LPARAM point);
  bool OnKeyDown(WPARAM key);
  int NavigationTarget(WPARAM key) const;
  void OnDropFiles(HDROP drop);
  void DrawItem(const DRAWITEMSTRUCT& item) const;
  bool IsTextCut(int index) const;
  void OnMouseMove(LPARAM point);
  void ShowTip(LPARAM point);

  void ShowSelectionState() const;
  void ScheduleItemCountSync();
  void SyncItemCount();
  void ApplyItemHeight() const;
  void RedrawItem(int index) const;
  void SetListStyle(DWORD style, bool on) const;

  HWND frame;
  HWND label;  // names the list for screen readers: the first column's label
  CVardenListView list;
  CVardenTip tip;
  int hoveredItem;  // the item under the mouse, whose cut text the tip shows after a rest
  WNDPROC frameDefaultProc;
  WNDPROC listDefaultProc;
  std::vector<CItem> items;
  CHandler handlers[EventCount];
  int selection;
  int pendingSelection;  // target of the change under way, kept in step with deletions
  bool changingSelection;
  bool itemCountPending;
  bool drawItemLines;
  unsigned itemHeight;
  HFONT listFont;
  DWORD selectedAt;  // tick count at the last change of selection
  bool clickRaisedRename;
  HDROP currentDrop;
};
