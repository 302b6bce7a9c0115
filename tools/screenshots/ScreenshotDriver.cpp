// Plays the scenes of the user's guide on the stand-in host and has
// tools/screenshots.sh take their pictures:
//   screenshot_driver.exe --ini FILE --data FOLDER --requests FOLDER
//       --open TITLE --new-title TITLE --search WORDS --replace FROM TO
//       [--memo-only NAME]
// --ini and --data go to JotbookHost.exe as they are; every path may be a
// Unix path. The outcome goes to the requests folder for the script.
#include <windows.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "GuideScenes.h"
#include "HostPaths.h"
#include "HostProcess.h"
#include "ShotRequests.h"

int main(int argc, char** argv) {
  // Each option takes one value, --replace two.
  std::map<std::string, std::vector<std::string>> options;
  for (int i = 1; i < argc; ++i) {
    int values = strcmp(argv[i], "--replace") == 0 ? 2 : 1;
    for (int v = 1; v <= values && i + v < argc; ++v) options[argv[i]].push_back(argv[i + v]);
    i += values;
  }
  auto value = [&options](const char* name, size_t index = 0) {
    const std::vector<std::string>& values = options[name];
    return index < values.size() ? values[index] : std::string();
  };
  if (value("--requests").empty()) return 2;

  ShotRequests shots(WindowsPath(value("--requests")));
  char folder[MAX_PATH] = "";
  ::GetCurrentDirectoryA(sizeof(folder), folder);
  HostProcess host;
  std::string outcome;
  if (!host.Start("--ini \"" + value("--ini") + "\" --data \"" + value("--data") + "\"", folder)) {
    outcome = "JotbookHost.exe did not start";
  } else {
    SceneTexts texts = {value("--open"), value("--new-title"), value("--search"), value("--replace", 0), value("--replace", 1),
                       value("--memo-only")};
    GuideScenes scenes(host, shots, texts);
    outcome = scenes.Run() ? "ok" : scenes.Failure();
    int exitCode = host.Close(15000);
    if (outcome == "ok" && exitCode != 0) outcome = "the host ended with " + std::to_string(exitCode);
  }
  shots.Finish(outcome);
  return outcome == "ok" ? 0 : 1;
}
