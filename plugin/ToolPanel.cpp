#include "plugin/ToolPanel.h"

#include "core/SettingKeys.h"
#include "framework/WinApp.h"
#include "resources/resource.h"

const char ToolDisplayName[] = "スクリビット";

namespace {

HBITMAP LoadToolBitmap(UINT id) {
  // Only a module named Scribbit.dll carries the tool's pictures.
  HMODULE module = ::GetModuleHandleA("Scribbit.dll");
  return module ? ::LoadBitmapA(module, MAKEINTRESOURCEA(id)) : NULL;
}

void CreatePanelFont(CFont& font, int height, int weight) {
  font.CreateFont(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEVICE_PRECIS, CLIP_DEFAULT_PRECIS, DRAFT_QUALITY,
                  VARIABLE_PITCH, "ＭＳＰゴシック");
}

}  // namespace

ToolPanel::ToolPanel(CWnd* parent)
    : ToolBase(IDD_PANEL, parent),
      panelIcon(NULL),
      memoList(NULL),
      currentSelection(-1),
      currentFolder(1),
      extEditDialog(NULL),
      settingsDialog(NULL),
      memoNameDialog(NULL),
      folderBitmaps(),
      dpi(AfxScreenDpi()),
      readOnlyIcon(NULL),
      searchCache(SearchCacheBound()),
      htmlProbe(&PlatformHtmlRenderProbe()),
      oleApartment(&PlatformOleApartment()),
      recordFailureSaid(false),
      htmlChecksLeft(0),
      modalDepth(0),
      settingsPending(false),
      settingsRunning(false),
      hostWaiting(0),
      sessionEnded(false) {
  toolNumber = ScribbitToolNumber;
  toolName = "Scribbit";
  attrA = 1;
  attrB = 4624;
  toolPicture = LoadToolBitmap(IDB_TOOL_PICTURE);
  toolMask = LoadToolBitmap(IDB_TOOL_MASK);
}

ToolPanel::~ToolPanel() {}

const char* ToolPanel::GetDisplayName() { return ToolDisplayName; }

UINT ToolPanel::GetTemplateId() { return IDD_PANEL; }

BOOL ToolPanel::CreateToolWindow(UINT templateId, CWnd* parent) {
  // The browser pane is an OLE control: its thread needs OLE first.
  oleApartment->Initialize();
  return ToolBase::CreateToolWindow(templateId, parent);
}

void ToolPanel::StartTool() {
  memo.Ops().MakeFolder(Utf8FromCp932(OwnFolderPath(hostSettings->GetHostPath(1, 0))).c_str());
  // The fonts exist before the thread starts, so panel initialisation finds them ready.
  CreatePanelFont(listFont, Scaled(14), FW_NORMAL);
  CreatePanelFont(titleFont, Scaled(18), FW_BOLD);
  uiThread = AfxBeginThread(ToolUiThreadProc, this, THREAD_PRIORITY_NORMAL, 0, 0, NULL);
}

UINT __cdecl ToolPanel::ToolUiThreadProc(LPVOID parameter) {
  ToolBase* tool = static_cast<ToolBase*>(parameter);
  if (tool->m_hWnd) return 0xFFFFFFFF;
  tool->CreateToolWindow(tool->GetTemplateId(), NULL);
  MSG msg = {};
  // The wide functions hand a typed double-byte character over whole; the
  // ANSI ones would give the pane its two bytes one by one, each of which it
  // takes for a character of its own.
  while (::GetMessageW(&msg, NULL, 0, 0)) {
    if (tool->PreTranslateMessage(&msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    if (!tool->m_hWnd) break;
  }
  if (tool->m_hWnd) ::DestroyWindow(tool->m_hWnd);
  return static_cast<UINT>(msg.wParam);
}
