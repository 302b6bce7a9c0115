// Commands of the machine that runs Wine, run from a test: Wine starts a
// Unix program through CreateProcess, though it gives no handle to wait on.
#pragma once
#include <string>

// Runs command with /bin/sh; its exit status, or -1 when it did not end in time.
int RunUnixCommand(const std::string& command, int timeoutMs = 30000);

// The Unix path of a file or folder of the Wine prefix.
std::string UnixPathOf(const std::string& windowsPath);
