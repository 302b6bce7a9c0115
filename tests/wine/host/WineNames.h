// The Unix name under which Wine keeps a file: what a user of the Unix side
// gives the stand-in host.
#pragma once
#include <string>

// In the ANSI code page, as a command line carries it; empty when there is none.
std::string UnixName(const std::string& windowsPath);
