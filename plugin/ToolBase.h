// ToolBase: the host's model of a tool. The host reads the public fields
// directly and calls the seven operations by their virtual table slot.
#pragma once
#include "framework/AfxString.h"
#include "framework/Dialog.h"
#include "plugin/HostContract.h"
#include "framework/WinThread.h"

// Header-only: the host builds its side of the tool model from this same header.
class ToolBase : public CDialog {
public:
  ToolBase(UINT templateId, CWnd* parent)
      : CDialog(templateId, parent),
        hostSettings(NULL),
        hostWindow(parent),
        uiThread(NULL),
        reservedForHost(0),
        toolNumber(0),
        attrA(0),
        attrB(0),
        toolPicture(NULL),
        toolMask(NULL),
        modalFlag(0) {}
  ~ToolBase() override {
    if (toolPicture) ::DeleteObject(toolPicture);
    if (toolMask) ::DeleteObject(toolMask);
  }

  HostSettings* hostSettings;
  CStringArray history;  // one line per release, oldest first
  CWnd* hostWindow;      // receives the panel's notifications
  CWinThread* uiThread;  // the panel's thread; the tool itself never reads it
  int reservedForHost;   // never set or read by the tool
  int toolNumber;        // settings section and wParam of every notification
  CString toolName;
  int attrA;  // read only by the host
  int attrB;  // read only by the host
  HBITMAP toolPicture;
  HBITMAP toolMask;
  volatile int modalFlag;  // 1 while a message box or modal dialog of the tool is open

  // Slots 52 to 58, in this order (the host calls them by number).
  virtual int SaveState() = 0;
  virtual int SearchMemos(SearchRequest* request, const char* keyword) = 0;
  virtual const char* GetDisplayName() = 0;
  // Creates the panel modelessly from template templateId (low 16 bits).
  virtual BOOL CreateToolWindow(UINT templateId, CWnd* parent) { return Create(LOWORD(templateId), parent); }
  virtual void StartTool() = 0;
  virtual UINT GetTemplateId() = 0;
  virtual LRESULT RunSettings(WPARAM wParam, LPARAM lParam) = 0;
};

// Slot numbers of the tool operations.
enum ToolSlot {
  SlotSaveState = 52,
  SlotSearchMemos,
  SlotGetDisplayName,
  SlotCreateToolWindow,
  SlotStartTool,
  SlotGetTemplateId,
  SlotRunSettings
};
