// Opening memos: what the panes, the caption and the read-only switch show
// for each kind of memo file, and that opening changes no file.
#include <gtest/gtest.h>

#include <mshtmdid.h>
#include <olectl.h>

#include <string>

#include "memo/HtmlRenderProbe.h"
#include "MemoPanel.h"
#include "framework/AmbientSite.h"
#include "framework/ControlContainer.h"
#include "framework/ProcAddress.h"
#include "memo/WebBrowser2.h"

namespace {

const char cutReason[] = "  （全文を表示できないため読取り専用）";

struct TextCase {
  const char* name;
  std::string bytes;
  std::string shown;
  bool whole;  // the pane holds the whole file: editable, toggle enabled, plain caption
};

TEST(MemoLoading, TextFilesShowAsTheLineReaderSeesThem) {
  const std::string exact = MemoLines(200000);
  const std::string over = MemoLines(200001);
  // The reader's pieces hold at most 199999 bytes: a NUL hides only the rest of its own piece.
  const std::string longLine = std::string("ab\0", 3) + std::string(199996, 'h') + "shown\r\nnext";
  const TextCase cases[] = {
      {"exact", exact, exact, true},
      {"over", over, over.substr(0, 200000) + overflowNotice, false},
      {"empty", "", "", true},
      {"bare", "one\ntwo\r\nthree", "one\ntwo\r\nthree", true},
      {"zero", std::string("ab\0cd\r\nef", 9), "abef", false},
      {"long", longLine, "abshown\r\nnext", false},
  };
  MemoPanel panel;
  for (const TextCase& c : cases) ASSERT_TRUE(WriteFileBytes(panel.Path(std::string(c.name) + ".txt"), c.bytes));
  ASSERT_TRUE(panel.Start());
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(panel.Select(c.name));
    EXPECT_TRUE(SameText(c.shown, panel.PaneText()));
    EXPECT_TRUE(panel.PaneVisible());
    // The browser pane shares the rectangle: it must not cover the text.
    EXPECT_FALSE(MemoPanel::Shown(panel.harness.Item(IDC_PANEL_BROWSER)));
    EXPECT_FALSE(panel.PaneModified());
    EXPECT_EQ(!c.whole, panel.PaneReadOnly());
    EXPECT_EQ(!c.whole, panel.ToggleChecked());
    EXPECT_EQ(c.whole, panel.ToggleEnabled());
    EXPECT_EQ(c.whole ? std::string(c.name) : c.name + std::string(cutReason), panel.Caption());
    EXPECT_EQ(c.name, panel.harness.OpenTitle());
  }
  // Opening and closing unedited changes no file.
  ASSERT_TRUE(panel.Select("exact"));
  for (const TextCase& c : cases) EXPECT_TRUE(SameText(c.bytes, ReadFileBytes(panel.Path(std::string(c.name) + ".txt")))) << c.name;
}

TEST(MemoLoading, ReadOnlyFileOpensReadOnlyAndKeepsItsAttribute) {
  MemoPanel panel;
  std::string locked = panel.Path("locked.txt");
  WriteFileBytes(locked, "fixed");
  WriteFileBytes(panel.Path("free.txt"), "");
  SetReadOnlyAttribute(locked, true);
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(panel.Select("locked"));
  EXPECT_EQ("fixed", panel.PaneText());
  EXPECT_TRUE(panel.PaneReadOnly());
  EXPECT_TRUE(panel.ToggleChecked());
  EXPECT_TRUE(panel.ToggleEnabled());
  EXPECT_EQ("locked", panel.Caption());
  // The next writable memo makes the pane editable again.
  ASSERT_TRUE(panel.Select("free"));
  EXPECT_FALSE(panel.PaneReadOnly());
  EXPECT_FALSE(panel.ToggleChecked());
  EXPECT_TRUE(HasReadOnlyAttribute(locked));
  SetReadOnlyAttribute(locked, false);
}

// A memo another program removed or renamed since the list showed it: a
// look at its entry never makes the file again.
TEST(MemoLoading, AVanishedMemoIsNeverMadeAgainByOpeningIt) {
  MemoPanel panel;
  std::string gone = panel.Path("gone.txt");
  WriteFileBytes(gone, "listed, then removed");
  WriteFileBytes(panel.Path("other.txt"), "");
  ASSERT_TRUE(panel.Start());
  ::DeleteFileA(gone.c_str());
  ASSERT_TRUE(panel.Select("gone"));
  EXPECT_EQ(missingNotice, panel.PaneText());
  EXPECT_EQ("gone  （ファイルが見つからないため読取り専用）", panel.Caption());
  EXPECT_TRUE(panel.PaneReadOnly());
  EXPECT_EQ(0, panel.harness.tool->SaveState());
  ASSERT_TRUE(panel.Select("other"));
  EXPECT_FALSE(FileExists(gone));
}

// A file that exists but cannot be read is not empty: the notice shown in
// its place must never be written over it.
TEST(MemoLoading, FileHeldByAnotherProgramOpensReadOnlyAndIsNeverWritten) {
  MemoPanel panel;
  std::string held = panel.Path("held.txt");
  WriteFileBytes(held, "precious");
  WriteFileBytes(panel.Path("other.txt"), "");
  ASSERT_TRUE(panel.Start());
  HANDLE exclusive = ::CreateFileA(held.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, exclusive);
  ASSERT_TRUE(panel.Select("held"));
  ::CloseHandle(exclusive);
  EXPECT_EQ(createdNotice, panel.PaneText());
  EXPECT_TRUE(panel.PaneReadOnly());
  EXPECT_FALSE(panel.ToggleEnabled());
  EXPECT_EQ("held  （ファイルを読み込めないため読取り専用）", panel.Caption());
  EXPECT_EQ(0, panel.harness.tool->SaveState());
  EXPECT_EQ("precious", ReadFileBytes(held));
}

// A folder path, title and extension that do not fit in a path are reported,
// and nothing is read or written under a cut path.
TEST(MemoLoading, PathTooLongIsReportedAndNothingIsWritten) {
  TempFolder base;
  std::string folder = base.Path() + "\\" + std::string(235 - base.Path().size(), 'd');
  ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), NULL));
  std::wstring wideFolder(folder.begin(), folder.end());
  std::wstring wideFile = L"\\\\?\\" + wideFolder + L"\\" + std::wstring(30, L't') + L".txt";
  HANDLE file = ::CreateFileW(wideFile.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  DWORD written = 0;
  ::WriteFile(file, "kept", 4, &written, NULL);
  ::CloseHandle(file);

  MemoPanel panel;
  panel.harness.settings.Set("ScribbitFolderPath2", folder);
  ASSERT_TRUE(panel.Start());
  panel.harness.Click(IDC_PANEL_FOLDER2);
  std::string title(30, 't');
  {
    DialogAnswerer answer(panel.PanelThread(), IDOK, panel.PanelWindow());
    ASSERT_TRUE(panel.Select(title));
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ("メモファイルのパスが長すぎるため、開けませんでした！", answer.text);
  }
  EXPECT_EQ("", panel.PaneText());
  EXPECT_TRUE(panel.PaneReadOnly());
  EXPECT_FALSE(panel.ToggleEnabled());
  EXPECT_EQ(title + "  （パスが長すぎます）", panel.Caption());
  EXPECT_EQ(0, panel.harness.tool->SaveState());
  {
    // An edit that reaches the close is refused.
    ::SendMessageA(panel.Pane(), EM_SETMODIFY, TRUE, 0);
    DialogAnswerer answer(panel.PanelThread(), IDOK, panel.PanelWindow());
    panel.harness.Click(IDC_PANEL_FOLDER1);
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ("このメモは全文を表示できないため読取り専用です！\n編集を保存できませんでした。", answer.text);
  }
  file = ::CreateFileW(wideFile.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
  char bytes[16] = "";
  ::ReadFile(file, bytes, sizeof(bytes), &written, NULL);
  ::CloseHandle(file);
  EXPECT_EQ("kept", std::string(bytes, written));
  ::DeleteFileW(wideFile.c_str());
}

// The tests ask the browser pane through their own copy of the container
// support, which must find the platform's container first.
void PrepareBrowserAccess() {
  AfxEnableControlContainer();
  AfxPrepareControlContainer();
}

// Where the browser pane was navigated, asked on the panel's thread.
std::string BrowserLocation(MemoPanel& panel) {
  std::string location;
  panel.harness.OnPanelThread([&] {
    PrepareBrowserAccess();
    location = panel.harness.Panel()->browser.GetLocationURL().GetString();
  });
  return location;
}

// The browser pane's Visible property, as SetVisible put it.
bool BrowserVisible(MemoPanel& panel) {
  VARIANT visible;
  ::VariantInit(&visible);
  panel.harness.OnPanelThread([&] {
    PrepareBrowserAccess();
    IUnknown* control = AfxGetHostedControl(panel.harness.Item(IDC_PANEL_BROWSER));
    IDispatch* dispatch = NULL;
    if (control && SUCCEEDED(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
      DISPPARAMS none = {NULL, NULL, 0, 0};
      dispatch->Invoke(402, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &visible, NULL, NULL);
      dispatch->Release();
    }
    if (control) control->Release();
  });
  return visible.vt == VT_BOOL && visible.boolVal == VARIANT_TRUE;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A browser pane that shows every page, as where an HTML engine is installed.
class RenderingProbe : public HtmlRenderProbe {
public:
  HtmlRendering Check(CWebBrowser2&) override { return HtmlRendering::Shown; }
};

TEST(MemoLoading, HtmlMemoShowsInTheBrowserPane) {
  MemoPanel panel;
  RenderingProbe rendering;
  WriteFileBytes(panel.Path("both.html"), "<p>html</p>");
  WriteFileBytes(panel.Path("both.htm"), "<p>htm</p>");
  WriteFileBytes(panel.Path("old.htm"), "<p>htm</p>");
  WriteFileBytes(panel.Path("text.txt"), "t");
  // The hidden pane is read-only from the start, with no memo open; an HTML
  // memo leaves it so.
  ASSERT_TRUE(panel.Start());
  panel.harness.OnPanelThread([&] { panel.harness.Panel()->htmlProbe = &rendering; });

  const struct {
    const char* title;
    const char* file;
  } cases[] = {{"both", "both.html"}, {"old", "old.htm"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    ASSERT_TRUE(panel.Select(c.title, MemoKindHtml));
    EXPECT_FALSE(panel.PaneVisible());
    EXPECT_TRUE(panel.PaneReadOnly());
    EXPECT_TRUE(BrowserVisible(panel));
    EXPECT_TRUE(MemoPanel::Shown(panel.harness.Item(IDC_PANEL_BROWSER)));
    EXPECT_FALSE(panel.ToggleChecked());
    EXPECT_FALSE(panel.ToggleEnabled());
    EXPECT_EQ(c.title, panel.Caption());
    std::string location;
    EXPECT_TRUE(PumpUntil([&] { return EndsWith(location = BrowserLocation(panel), "\\" + std::string(c.file)); })) << location;
  }
  // Closing leaves the pane on a blank page.
  ASSERT_TRUE(panel.Select("text"));
  EXPECT_FALSE(BrowserVisible(panel));
  EXPECT_FALSE(MemoPanel::Shown(panel.harness.Item(IDC_PANEL_BROWSER)));
  std::string location;
  EXPECT_TRUE(PumpUntil([&] { return (location = BrowserLocation(panel)) == "about:blank"; })) << location;
  panel.harness.OnPanelThread([&] { panel.harness.Panel()->htmlProbe = &PlatformHtmlRenderProbe(); });
}

// A memo's page is in the Local Machine zone, where its scripts, applets and
// controls would run with all the user's rights. The control asks its client
// site what it may load.
TEST(MemoLoading, BrowserPaneLoadsPicturesButRunsNothing) {
  MemoPanel panel;
  ASSERT_TRUE(panel.Start());
  VARIANT loads;
  ::VariantInit(&loads);
  panel.harness.OnPanelThread([&] {
    PrepareBrowserAccess();
    IUnknown* control = AfxGetHostedControl(panel.harness.Item(IDC_PANEL_BROWSER));
    IOleObject* object = NULL;
    IOleClientSite* site = NULL;
    IDispatch* ambients = NULL;
    if (control && SUCCEEDED(control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object))) &&
        SUCCEEDED(object->GetClientSite(&site)) && site &&
        SUCCEEDED(site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambients)))) {
      DISPPARAMS none = {NULL, NULL, 0, 0};
      ambients->Invoke(DISPID_AMBIENT_DLCONTROL, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &loads, NULL, NULL);
    }
    for (IUnknown* held : {static_cast<IUnknown*>(ambients), static_cast<IUnknown*>(site), static_cast<IUnknown*>(object), control})
      if (held) held->Release();
  });
  ASSERT_EQ(VT_I4, loads.vt);
  const LONG blocked = DLCTL_NO_SCRIPTS | DLCTL_NO_JAVA | DLCTL_NO_RUNACTIVEXCTLS | DLCTL_NO_DLACTIVEXCTLS;
  EXPECT_EQ(blocked, loads.lVal & blocked);
  EXPECT_TRUE(loads.lVal & DLCTL_DLIMAGES);
}

// A control that read its ambients before our site came is told the
// property changed: the control of this Wine reads them at every page, others
// only then.
struct AmbientReader : IOleObject, IOleControl {
  IOleClientSite* site = NULL;
  DISPID changed = 0;
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    *out = NULL;
    if (IsEqualIID(iid, IID_IOleControl)) *out = static_cast<IOleControl*>(this);
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleObject)) *out = static_cast<IOleObject*>(this);
    return *out ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP SetClientSite(IOleClientSite* taken) override {
    if (taken) taken->AddRef();
    if (site) site->Release();
    site = taken;
    return S_OK;
  }
  STDMETHODIMP GetClientSite(IOleClientSite** out) override {
    if ((*out = site)) site->AddRef();
    return site ? S_OK : E_FAIL;
  }
  STDMETHODIMP OnAmbientPropertyChange(DISPID id) override {
    changed = id;
    return S_OK;
  }
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return E_NOTIMPL; }
  STDMETHODIMP Close(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  STDMETHODIMP DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override { return E_NOTIMPL; }
  STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
  STDMETHODIMP Update() override { return E_NOTIMPL; }
  STDMETHODIMP IsUpToDate() override { return E_NOTIMPL; }
  STDMETHODIMP GetUserClassID(CLSID*) override { return E_NOTIMPL; }
  STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
  STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
  STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
  STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  STDMETHODIMP GetMiscStatus(DWORD, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }
  STDMETHODIMP GetControlInfo(CONTROLINFO*) override { return E_NOTIMPL; }
  STDMETHODIMP OnMnemonic(MSG*) override { return E_NOTIMPL; }
  STDMETHODIMP FreezeEvents(BOOL) override { return E_NOTIMPL; }
};

TEST(MemoLoading, AControlIsToldOfTheAmbientPropertyItGets) {
  AfxEnableControlContainer();
  ASSERT_TRUE(AfxPrepareControlContainer());
  typedef HRESULT(WINAPI * AttachFunction)(IUnknown*, HWND, IUnknown**);
  AttachFunction attach = GetProcAddressAs<AttachFunction>(::GetModuleHandleA("atl.dll"), "AtlAxAttachControl");
  HWND container = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
  AmbientReader reader;
  IUnknown* host = NULL;
  ASSERT_TRUE(attach && SUCCEEDED(attach(static_cast<IOleObject*>(&reader), container, &host)) && host);
  EXPECT_TRUE(AfxSetAmbientProperty(container, DISPID_AMBIENT_DLCONTROL, DLCTL_NO_SCRIPTS));
  EXPECT_EQ(DISPID_AMBIENT_DLCONTROL, reader.changed);
  ::DestroyWindow(container);
  host->Release();
  reader.SetClientSite(NULL);
}

// This Wine has no HTML engine: the page never comes into being, and the
// memo's text is shown read-only instead, with a note, and never written.
TEST(MemoLoading, HtmlMemoWithoutAnEngineShowsItsTextReadOnly) {
  MemoPanel panel;
  const std::string page = "\xEF\xBB\xBF<p>" + std::string(u8"見出し") + "</p>\r\n";
  WriteFileBytes(panel.Path("page.html"), page);
  WriteFileBytes(panel.Path("text.txt"), "t");
  MakeOld(panel.Path("page.html"));
  ULONGLONG stamp = WriteTime(panel.Path("page.html"));
  ASSERT_TRUE(panel.Start());
  // The pane is writable before: a text memo is open.
  ASSERT_TRUE(panel.Select("text"));
  ASSERT_TRUE(panel.Select("page", MemoKindHtml));
  EXPECT_TRUE(panel.PaneVisible());
  EXPECT_FALSE(BrowserVisible(panel));
  EXPECT_EQ("<p>見出し</p>\r\n", panel.PaneText());
  EXPECT_TRUE(panel.PaneReadOnly());
  EXPECT_EQ("page  （HTMLを表示できないため、テキストで表示）", panel.Caption());
  EXPECT_FALSE(panel.ToggleChecked());
  EXPECT_FALSE(panel.ToggleEnabled());
  EXPECT_EQ(0, panel.harness.tool->SaveState());
  ::SendMessageA(panel.Pane(), EM_SETMODIFY, TRUE, 0);
  ASSERT_TRUE(panel.Select("text"));
  EXPECT_EQ("t", panel.PaneText());
  EXPECT_FALSE(panel.PaneReadOnly());
  EXPECT_EQ(page, ReadFileBytes(panel.Path("page.html")));
  EXPECT_EQ(stamp, WriteTime(panel.Path("page.html")));
}

}  // namespace
