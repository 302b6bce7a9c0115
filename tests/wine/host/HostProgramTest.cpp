// JotbookHost.exe run as a user runs it, with Unix paths for its files, and
// driven through its windows: the panel it shows, its menu, its search field.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "HostCommands.h"
#include "Keyboard.h"
#include "SearchPane.h"
#include "TempFolder.h"
#include "ToolHarness.h"
#include "WineNames.h"

namespace {

struct WindowSearch {
  DWORD processId;
  const char* className;
  const char* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  char className[64] = "", caption[64] = "";
  ::GetClassNameA(window, className, sizeof(className));
  ::GetWindowTextA(window, caption, sizeof(caption));
  if (processId != search->processId || !::IsWindowVisible(window) || strcmp(className, search->className) != 0 ||
      (search->caption && strcmp(caption, search->caption) != 0))
    return TRUE;
  search->found = window;
  return FALSE;
}

class HostProgram : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(::CreateDirectoryA(home.c_str(), NULL));
    char program[MAX_PATH];
    std::string programPath(program, ::GetModuleFileNameA(NULL, program, sizeof(program)));
    std::string dll = programPath.substr(0, programPath.find_last_of('\\')) + "\\Scribbit.dll";
    std::string commandLine = "JotbookHost.exe " + Arguments() + " --dll \"" + UnixName(dll) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    // Started on drive C, so that no path comes out right merely by resolving against drive Z, which is the Unix root.
    ASSERT_TRUE(::CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, folder.Path().c_str(), &startup, &process))
        << commandLine;
    ASSERT_TRUE(PumpUntil([this] { return HostWindow() && Panel(); })) << commandLine;
  }

  void TearDown() override {
    if (!process.hProcess) return;
    ::PostMessageA(HostWindow(), WM_CLOSE, 0, 0);
    bool ended = PumpUntil([this] { return ::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; });
    EXPECT_TRUE(ended);
    if (!ended) ::TerminateProcess(process.hProcess, 1);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }

  // Given as a user of the Unix side gives them.
  virtual std::string Arguments() { return "--ini \"" + UnixName(home) + "/JotbookHost.ini\" --data \"" + UnixName(home) + "/データ\""; }

  HWND Find(const char* className, const char* caption) {
    WindowSearch search = {process.dwProcessId, className, caption, NULL};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  HWND HostWindow() { return Find("JotbookStandInHost", NULL); }
  HWND Panel() { return Find("#32770", "スクリビット"); }

  // Closes the panel by its caption's close button and waits for it to go.
  void ClosePanel() {
    HWND panel = Panel();
    ::PostMessageA(panel, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(PumpUntil([panel] { return !::IsWindow(panel); }));
  }

  TempFolder folder;
  std::string home = folder / "スクリビット";
  PROCESS_INFORMATION process = {};
};

TEST_F(HostProgram, MenuShowsThePanelAgainAfterTheUserClosedIt) {
  for (int round = 1; round <= 2; ++round) {
    HWND closed = Panel();
    ClosePanel();
    ::PostMessageA(HostWindow(), WM_COMMAND, MAKEWPARAM(CommandShowPanel, 0), 0);
    ASSERT_TRUE(PumpUntil([&] { return Panel() && Panel() != closed; })) << "round " << round;
  }
  // Asked for while it is open, the panel is only brought forward.
  HWND open = Panel();
  ::SendMessageA(HostWindow(), WM_COMMAND, MAKEWPARAM(CommandShowPanel, 0), 0);
  EXPECT_EQ(open, Panel());
}

TEST_F(HostProgram, KeepsSettingsAndMemosWhereItsUnixPathsSay) {
  EXPECT_TRUE(FileExists(home + "\\データ\\Scribbit"));
  // The panel stores its position as it closes.
  ClosePanel();
  std::string ini = home + "\\JotbookHost.ini";
  char value[MAX_PATH] = "";
  ::GetPrivateProfileStringA("19", "WndPosX", "", value, sizeof(value), ini.c_str());
  EXPECT_STRNE("", value);
  // The tool shows the folder and forms memo paths in it: it sees the Windows path.
  ::GetPrivateProfileStringA("19", "ScribbitFolderPath1", "", value, sizeof(value), ini.c_str());
  EXPECT_EQ(0, lstrcmpiA((home + "\\データ\\Scribbit").c_str(), value)) << value;
}

// Started with no files named, the host keeps its settings and memos in the
// user's data folder, never beside the program in the build.
class HostDefaults : public HostProgram {
protected:
  void SetUp() override {
    ::SetEnvironmentVariableA("XDG_DATA_HOME", UnixName(folder.Path()).c_str());
    HostProgram::SetUp();
    ::SetEnvironmentVariableA("XDG_DATA_HOME", NULL);
  }
  std::string Arguments() override { return ""; }
};

TEST_F(HostDefaults, KeepSettingsAndMemosInTheUsersDataFolder) {
  ClosePanel();
  std::string data = folder / "scribbit";
  char value[MAX_PATH] = "";
  ::GetPrivateProfileStringA("19", "ScribbitFolderPath1", "", value, sizeof(value), (data + "\\JotbookHost.ini").c_str());
  EXPECT_EQ(0, lstrcmpiA((data + "\\JotbookData\\Scribbit").c_str(), value)) << value;
  EXPECT_TRUE(FileExists(data + "\\JotbookData\\Scribbit"));
}

TEST_F(HostProgram, TypedJapaneseReachesTheSearchFieldWhole) {
  // With the panel gone the host's window keeps the foreground: the keyboard
  // stays where the test puts it.
  ClosePanel();
  ASSERT_TRUE(PumpUntil([this] { return ::GetForegroundWindow() == HostWindow(); }));
  HWND field = ::GetDlgItem(HostWindow(), IdSearchField);
  ASSERT_TRUE(FocusControl(field));
  TypeKeys(L"検索 日本語とｶﾅ");
  // GetWindowText would not ask a window of another process for its text.
  auto text = [field] {
    char buffer[64] = "";
    ::SendMessageA(field, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer);
  };
  PumpUntil([&] { return text() == "検索 日本語とｶﾅ"; }, 3000);
  EXPECT_EQ("検索 日本語とｶﾅ", text());
}

}  // namespace
