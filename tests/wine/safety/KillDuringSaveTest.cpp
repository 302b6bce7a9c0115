// A process that saves a large memo over and over is killed at random
// moments: after every kill the memo file is exactly one of the texts it
// saved, never a mix or a part of them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "ToolHarness.h"

namespace {

// Whole lines padded to 190,000 bytes: a character cut in two would make the
// memo read-only.
std::string BigMemo() {
  const std::string line = "強制終了されても、メモはいつも古いか新しいかのどちらかです。\r\n";
  std::string text = "#";
  while (text.size() + line.size() <= 190000) text += line;
  text.append(190000 - text.size(), ' ');
  return text;
}

std::string BesideThisProgram(const char* name) {
  char path[MAX_PATH];
  ::GetModuleFileNameA(NULL, path, sizeof(path));
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\') + 1) + name;
}

TEST(KillDuringSave, LeavesTheFileExactlyTheOldOrTheNewText) {
  TempFolder folder;
  const std::string memo = folder / "big.txt", progress = folder / "progress";
  const std::string text = BigMemo();
  ASSERT_TRUE(WriteFileBytes(memo, text));
  unsigned seed = ::GetTickCount();
  std::mt19937 random(seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  for (int kill = 1; kill <= 20; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    ::DeleteFileA(progress.c_str());
    std::string commandLine = "\"" + BesideThisProgram("save_loop.exe") + "\" \"" + folder.Path() + "\" \"" + progress + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(::CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &child));
    // Some saves made, then a moment anywhere in a save or between two.
    int saves = 1 + static_cast<int>(random() % 3);
    bool saving = PumpUntil([&] { return std::atoi(ReadFileBytes(progress).c_str()) >= saves; }, 60000);
    LARGE_INTEGER frequency, start, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    LONGLONG spin = frequency.QuadPart * static_cast<LONGLONG>(random() % 20000) / 1000000;
    do ::QueryPerformanceCounter(&now);
    while (now.QuadPart - start.QuadPart < spin);
    ::TerminateProcess(child.hProcess, 9);
    ::WaitForSingleObject(child.hProcess, INFINITE);
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
    ASSERT_TRUE(saving) << "the child made no saves";

    std::string onDisk = ReadFileBytes(memo);
    ASSERT_EQ(text.size(), onDisk.size());
    EXPECT_TRUE(onDisk[0] == '#' || (onDisk[0] >= 'A' && onDisk[0] <= 'Z')) << onDisk[0];
    ASSERT_EQ(0, onDisk.compare(1, std::string::npos, text, 1, std::string::npos));
    // The killed panel's own data folder.
    char temporary[MAX_PATH];
    ::GetTempPathA(sizeof(temporary), temporary);
    RemoveTree(std::string(temporary) + "scribbit-test-" + std::to_string(child.dwProcessId) + "-1");
  }
}

}  // namespace
