// System calls as strace prints them with -f -ttt -y -x: one call a line,
// a call another process interrupted joined back together, and several
// traces (the program's and the wineserver's) merged by time.
#pragma once
#include <string>
#include <vector>

struct Call {
  long tid;
  double time;  // when it was entered
  std::string name;
  std::vector<std::string> args;  // each as printed
  long long result;
  std::string resultPath;  // the file of a returned descriptor
};

std::vector<Call> ReadTraces(const std::vector<std::string>& files);

// The bytes of a quoted string argument.
std::string Unquote(const std::string& arg);
// "13</path>": the descriptor, and its path into path.
int Descriptor(const std::string& arg, std::string* path = nullptr);
// A path argument made absolute against its folder descriptor ("AT_FDCWD</cwd>").
std::string PathArg(const std::string& folder, const std::string& arg);
