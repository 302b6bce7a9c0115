// JotbookHost.exe run as a user runs it, with Unix paths for its files, and
// driven through its windows: the panel it shows, its menu, its search field.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>

#include "HostCommands.h"
#include "HostPaths.h"
#include "HostProcess.h"
#include "Keyboard.h"
#include "SearchPane.h"
#include "TempFolder.h"
#include "ToolHarness.h"
#include "WineNames.h"

namespace {

// The DLL the host is given: SCRIBBIT_DLL when set (a Unix or Windows path,
// as the package check gives the DLL it unpacked), else the one beside this program.
std::string ToolDll() {
  const char* given = getenv("SCRIBBIT_DLL");
  if (given && *given) return given;
  char program[MAX_PATH];
  std::string programPath(program, ::GetModuleFileNameA(NULL, program, sizeof(program)));
  return UnixName(programPath.substr(0, programPath.find_last_of('\\')) + "\\Scribbit.dll");
}

class HostProgram : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(::CreateDirectoryA(home.c_str(), NULL) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    std::string arguments = Arguments() + " --dll \"" + ToolDll() + "\"";
    // Started on drive C, so that no path comes out right merely by resolving against drive Z, which is the Unix root.
    ASSERT_TRUE(host.Start(arguments, folder.Path())) << arguments;
    ASSERT_TRUE(PumpUntil([this] { return HostWindow() && Panel(); })) << arguments;
  }

  void TearDown() override {
    // A host that ended on its own before this is caught by its exit code.
    if (!host.Started()) return;
    EXPECT_EQ(0, host.Close(10000));
  }

  // Given as a user of the Unix side gives them.
  virtual std::string Arguments() { return "--ini \"" + UnixName(home) + "/JotbookHost.ini\" --data \"" + UnixName(home) + "/データ\""; }

  HWND HostWindow() { return host.HostWindow(); }
  HWND Panel() { return host.Panel(); }

  // Closes the panel by its caption's close button and waits for it to go.
  void ClosePanel() {
    HWND panel = Panel();
    ::PostMessageA(panel, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(PumpUntil([panel] { return !::IsWindow(panel); }));
  }

  TempFolder folder;
  std::string home = folder / "スクリビット";
  HostProcess host;
};

// The host started with one memo waiting in memo folder 1.
class HostProgramWithMemo : public HostProgram {
protected:
  void SetUp() override {
    std::string memos = home + "\\データ\\Scribbit";
    ASSERT_EQ(0, ::SHCreateDirectoryExA(NULL, memos.c_str(), NULL));
    ASSERT_TRUE(WriteFileBytes(memos + "\\" + title + ".txt", text));
    HostProgram::SetUp();
  }

  const std::string title = "買い物";
  const std::string text = "牛乳\r\n卵\r\n";
};

TEST_F(HostProgramWithMemo, ListsAndOpensItsMemoWithTheToolOfTheDllGiven) {
  // The tool came from the DLL named on the command line, not from one found elsewhere.
  EXPECT_TRUE(host.HasModule(WindowsPath(ToolDll()))) << ToolDll();
  HWND list = host.MemoListView();
  ASSERT_TRUE(list);
  ASSERT_TRUE(PumpUntil([list] { return ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 1; }));
  // The first Down selects the first memo, which opens it.
  ::PostMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
  HWND caption = ::GetDlgItem(Panel(), IDC_PANEL_TITLE);
  EXPECT_TRUE(PumpUntil([&] { return WindowText(caption) == title; })) << WindowText(caption);
  EXPECT_EQ(text, WindowText(::GetDlgItem(Panel(), IDC_PANEL_TEXT)));
}

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
  // A first start finds a memo waiting; HostProgramWithMemo shows a folder already there gets none.
  EXPECT_TRUE(FileExists(data + "\\JotbookData\\Scribbit\\ようこそ.txt"));
}

// Help, or an option it does not know: the host says its options and ends,
// with no window and no file made.
TEST(HostOptions, HelpAndUnknownOptionsEndWithTheUsage) {
  TempFolder data;
  ::SetEnvironmentVariableA("XDG_DATA_HOME", UnixName(data.Path()).c_str());
  char program[MAX_PATH];
  std::string programPath(program, ::GetModuleFileNameA(NULL, program, sizeof(program)));
  const std::string host = programPath.substr(0, programPath.find_last_of('\\')) + "\\JotbookHost.exe";
  for (const auto& run : {std::make_pair("--help", 0UL), std::make_pair("--ini", 2UL), std::make_pair("--bogus x", 2UL)}) {
    std::string command = "\"" + host + "\" " + run.first;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(::CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) << command;
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.hProcess, waitBoundMs)) << command;
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(run.second, exitCode) << command;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  ::SetEnvironmentVariableA("XDG_DATA_HOME", NULL);
  EXPECT_FALSE(FileExists(data / "scribbit"));
}

TEST_F(HostProgram, TypedJapaneseReachesTheSearchFieldWhole) {
  // With the panel gone the host's window keeps the foreground: the keyboard
  // stays where the test puts it.
  ClosePanel();
  ASSERT_TRUE(PumpUntil([this] { return ::GetForegroundWindow() == HostWindow(); }));
  HWND field = ::GetDlgItem(HostWindow(), IdSearchField);
  ASSERT_TRUE(FocusControl(field));
  TypeKeys(L"検索 日本語とｶﾅ");
  PumpUntil([field] { return WindowText(field) == "検索 日本語とｶﾅ"; });
  EXPECT_EQ("検索 日本語とｶﾅ", WindowText(field));
}

}  // namespace
