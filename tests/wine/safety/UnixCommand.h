// Commands of the machine that runs Wine, run from a test: Wine starts a
// Unix program through CreateProcess, though it gives no handle to wait on.
#pragma once
#include <string>

// Runs command with /bin/sh; its exit status, or -1 when it did not end in time.
int RunUnixCommand(const std::string& command, int timeoutMs = 30000);

// The path Wine gives a Unix path: drive Z: is the Unix root.
std::string WindowsPathOf(const std::string& unixPath);
