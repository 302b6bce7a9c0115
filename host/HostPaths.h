// Paths given to the stand-in host on its command line: a Windows path as it
// is, a Unix path (one starting with "/") as the Windows path under which
// Wine shows the same file.
#pragma once
#include <string>

std::string WindowsPath(const std::string& path);
