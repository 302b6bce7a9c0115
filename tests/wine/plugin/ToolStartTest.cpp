// Starting the tool: folder 1, the panel's own thread, the ready message,
// OLE on the panel's thread only, and the browser control gone before it ends.
#include <gtest/gtest.h>

#include <objbase.h>

#include "framework/ControlContainer.h"
#include "TestThreads.h"
#include "ToolHarness.h"

namespace {

// Every thread the process starts while capturing is on: a handle to it, taken
// in the thread itself before it runs anything, so its exit code stays readable.
volatile LONG capturing = 0;
HANDLE capturedThreads[16];
volatile LONG capturedCount = 0;
volatile LONG capturedReady = 0;

void NTAPI CaptureNewThread(PVOID, DWORD reason, PVOID) {
  if (reason != DLL_THREAD_ATTACH || !capturing) return;
  LONG slot = ::InterlockedIncrement(&capturedCount) - 1;
  if (slot >= 16) return;
  ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &capturedThreads[slot], 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
  ::InterlockedIncrement(&capturedReady);
}

extern "C" __attribute__((section(".CRT$XLF"), used)) const PIMAGE_TLS_CALLBACK captureNewThread = CaptureNewThread;

int CountPanels() {
  int count = 0;
  HWND window = NULL;
  while ((window = ::FindWindowExA(NULL, window, "#32770", "スクリビット")) != NULL)
    if (::GetWindowThreadProcessId(window, NULL) && ::IsWindow(window)) {
      DWORD process = 0;
      ::GetWindowThreadProcessId(window, &process);
      count += process == ::GetCurrentProcessId();
    }
  return count;
}

TEST(ToolStart, ExistingFolderStillStartsOnItsOwnThread) {
  ToolHarness harness;
  ASSERT_TRUE(::CreateDirectoryA(harness.Folder1().c_str(), NULL));
  WriteFileBytes(harness.Folder1() + "\\kept.txt", "kept");
  ASSERT_TRUE(harness.Start());
  HWND panel = harness.PanelWindow();
  ASSERT_TRUE(::IsWindow(panel));
  EXPECT_NE(::GetCurrentThreadId(), ::GetWindowThreadProcessId(panel, NULL));
  // The ready message is posted once, with the tool number, after the window exists.
  EXPECT_EQ(1, harness.host.Count(WM_TOOL_READY));
  EXPECT_EQ(19u, harness.host.received.back().wParam);
  EXPECT_EQ(0, harness.host.received.back().lParam);
  EXPECT_EQ("kept", ReadFileBytes(harness.Folder1() + "\\kept.txt"));
  // Hidden until the host shows it.
  EXPECT_FALSE(::IsWindowVisible(panel));
  EXPECT_EQ(harness.Folder1(), harness.settings.Get("ScribbitFolderPath1"));
}

TEST(ToolStart, MissingFolderIsCreated) {
  ToolHarness harness;
  ASSERT_TRUE(harness.Start());
  DWORD attributes = ::GetFileAttributesA(harness.Folder1().c_str());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(ToolStart, SecondStartEndsItsThreadAndMakesNoSecondWindow) {
  ToolHarness harness;
  ASSERT_TRUE(harness.Start());
  HWND panel = harness.PanelWindow();
  ASSERT_EQ(1, CountPanels());

  capturedCount = 0;
  capturedReady = 0;
  capturing = 1;
  harness.tool->StartTool();
  ASSERT_TRUE(PumpUntil([] { return capturedReady > 0; }));
  capturing = 0;
  HANDLE thread = capturedThreads[0];
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 10000));
  DWORD exitCode = 0;
  ::GetExitCodeThread(thread, &exitCode);
  ::CloseHandle(thread);
  EXPECT_EQ(0xFFFFFFFFu, exitCode);
  EXPECT_EQ(panel, harness.PanelWindow());
  EXPECT_EQ(1, CountPanels());
  EXPECT_EQ(1, harness.host.Count(WM_TOOL_READY));
}

TEST(ToolStart, ClosingThePanelEndsItsThreadAndTellsTheHost) {
  ToolHarness harness;
  ASSERT_TRUE(harness.Start());
  harness.Close();
  EXPECT_FALSE(harness.PanelWindow());
  EXPECT_EQ(1, harness.host.Count(WM_TOOL_CLOSING));
  EXPECT_EQ(0, CountPanels());
}

// Stands in for the panel thread's OLE and records, as OLE ends, whether the
// browser control is still there: Windows unloads the COM libraries at that
// moment, and a control released after it crashes the host.
class OrderRecordingApartment : public OleApartment {
public:
  void Uninitialize() override {
    containerGone = !::IsWindow(container);
    control->AddRef();
    referencesLeft = control->Release();
    control->Release();
    OleApartment::Uninitialize();
  }
  HWND container = NULL;
  IUnknown* control = nullptr;  // the test's own reference
  bool containerGone = false;
  ULONG referencesLeft = 0;
};

TEST(ToolStart, BrowserControlIsReleasedBeforeOleEnds) {
  OrderRecordingApartment apartment;
  ToolHarness harness;
  ASSERT_TRUE(harness.Start());
  harness.OnPanelThread([&] {
    AfxEnableControlContainer();
    AfxPrepareControlContainer();
    apartment.container = harness.Item(IDC_PANEL_BROWSER);
    apartment.control = AfxGetHostedControl(apartment.container);
    if (apartment.control) harness.Panel()->oleApartment = &apartment;
  });
  ASSERT_TRUE(apartment.control);
  harness.Close();
  EXPECT_TRUE(apartment.containerGone);
  // Nobody but the test holds the control any more.
  EXPECT_EQ(1u, apartment.referencesLeft);
}

// A tool that keeps the base class's window creation.
class BaseOnlyTool : public ToolBase {
public:
  BaseOnlyTool() : ToolBase(900, NULL) {}
  int SaveState() override { return 0; }
  int SearchMemos(SearchRequest*, const char*) override { return 0; }
  const char* GetDisplayName() override { return "base"; }
  void StartTool() override {}
  UINT GetTemplateId() override { return 900; }
  LRESULT RunSettings(WPARAM, LPARAM) override { return 0; }
};

// Whether OLE was already initialised on the calling thread.
bool OleWasInitialised() {
  HRESULT result = ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
  if (SUCCEEDED(result)) ::CoUninitialize();
  return result == S_FALSE || result == RPC_E_CHANGED_MODE;
}

TEST(ToolStart, OnlyThePanelsWindowCreationInitialisesOle) {
  bool baseCreated = false, baseInitialised = true;
  TestThread([&] {
    BaseOnlyTool tool;
    baseCreated = tool.CreateToolWindow(0x10000 | 900, NULL);
    baseInitialised = OleWasInitialised();
    ::DestroyWindow(tool.m_hWnd);
  }).Join();
  EXPECT_TRUE(baseCreated);
  EXPECT_FALSE(baseInitialised);

  ToolHarness harness;
  ToolHarness::NewToolFunction newTool = ToolHarness::Factory();
  harness.tool = newTool(NULL, &harness.settings);
  bool panelCreated = false, panelInitialised = false;
  TestThread([&] {
    panelCreated = harness.tool->CreateToolWindow(149, NULL);
    panelInitialised = OleWasInitialised();
    ::DestroyWindow(harness.tool->m_hWnd);
  }).Join();
  EXPECT_TRUE(panelCreated);
  EXPECT_TRUE(panelInitialised);
}

}  // namespace
