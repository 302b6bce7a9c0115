// A host killed at a random moment while the user types: after the restart,
// every character typed more than two seconds before the kill is in the
// memo, nothing typed before is lost, and the memo is never torn.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "ToolHarness.h"
#include "TypingLoop.h"

namespace {

std::string BesideThisProgram(const char* name) {
  char path[MAX_PATH];
  ::GetModuleFileNameA(NULL, path, sizeof(path));
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\') + 1) + name;
}

std::wstring FromCp932(const std::string& bytes) {
  std::wstring wide(bytes.size(), L'\0');
  wide.resize(::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), &wide[0],
                                    static_cast<int>(wide.size())));
  return wide;
}

TEST(KillWhileTyping, EveryCharacterTypedTwoSecondsBeforeTheKillComesBack) {
  TempFolder folder, recovery;
  const std::string memo = folder / "memo.txt", progressFile = recovery / "progress";
  const std::string recoveryFolder = recovery.Path() + "\\records\\";
  ASSERT_TRUE(WriteFileBytes(memo, ""));
  unsigned seed = ::GetTickCount();
  std::mt19937 random(seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::wstring kept;  // what the memo holds after the rounds so far
  for (int round = 1; round <= 20; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    int offset = static_cast<int>(random() % typedCharacterCount), count = 5 + static_cast<int>(random() % 25);
    ::DeleteFileA(progressFile.c_str());
    // No backslash before a closing quote: it would escape it.
    std::string commandLine = "\"" + BesideThisProgram("typing_loop.exe") + "\" \"" + folder.Path() + "\" \"" + recovery.Path() +
                              "\\records\" \"" + progressFile + "\" " + std::to_string(offset) + " " + std::to_string(count);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(::CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &child));
    bool typed = PumpUntil(
        [&] {
          return ReadFileBytes(progressFile).find("done") != std::string::npos || ::WaitForSingleObject(child.hProcess, 0) == WAIT_OBJECT_0;
        },
        60000);
    DWORD exitCode = STILL_ACTIVE;
    ::GetExitCodeProcess(child.hProcess, &exitCode);
    typed = typed && exitCode == STILL_ACTIVE;
    // The kill comes at any moment of the three seconds after the typing.
    PumpFor(static_cast<int>(random() % 3000));
    DWORD killedAt = ::GetTickCount();
    ::TerminateProcess(child.hProcess, 9);
    ::WaitForSingleObject(child.hProcess, INFINITE);
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
    ASSERT_TRUE(typed) << "the child did not type; its exit code: " << exitCode;
    int due = 0;
    std::istringstream progress(ReadFileBytes(progressFile));
    for (int index; progress >> index;) {
      DWORD tick;
      progress >> tick;
      if (killedAt - tick > 2000) due = index + 1;
    }

    // The restart puts the edits back and says so.
    ToolHarness restarted;
    restarted.settings.Set("ScribbitFolderPath2", folder.Path());
    restarted.recoveryFolder = recoveryFolder;
    bool recordLeft = FileNames(recoveryFolder).size() > 0;
    ASSERT_TRUE(restarted.Start());
    if (recordLeft) {
      DialogAnswerer answer(restarted.PanelThreadId(), IDOK, restarted.PanelWindow());
      EXPECT_TRUE(answer.Wait());
      EXPECT_NE(std::string::npos, answer.text.find(folder.Path() + "\\memo.txt")) << answer.text;
    }
    std::wstring text = FromCp932(ReadFileBytes(memo));
    ASSERT_EQ(0u, text.compare(0, kept.size(), kept)) << "text typed in earlier rounds went";
    std::wstring added = text.substr(kept.size());
    ASSERT_GE(static_cast<int>(added.size()), due) << "characters typed two seconds before the kill went";
    ASSERT_LE(static_cast<int>(added.size()), count);
    for (size_t i = 0; i < added.size(); ++i) ASSERT_EQ(TypedCharacter(offset, static_cast<int>(i)), added[i]) << i;
    kept = text;
    restarted.Close();
    EXPECT_TRUE(FileNames(recoveryFolder).empty());
    // The killed child's own data folder.
    char temporary[MAX_PATH];
    ::GetTempPathA(sizeof(temporary), temporary);
    RemoveTree(std::string(temporary) + "scribbit-test-" + std::to_string(child.dwProcessId) + "-1");
  }
}

}  // namespace
