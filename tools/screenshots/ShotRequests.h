// The screenshot driver's side of its exchange with tools/screenshots.sh,
// through files in a folder both see: a request names a picture and the part
// of the screen it shows; the script takes the picture and removes the
// request. A last file says how the driver ended.
#pragma once
#include <windows.h>

#include <string>

class ShotRequests {
public:
  // folder: a Windows path.
  explicit ShotRequests(const std::string& shotFolder) : folder(shotFolder) {}
  // Asks for the picture name.png of area (screen coordinates) and waits
  // until the script has taken it; false when it did not in time.
  bool Take(const std::string& name, const RECT& area);
  // Tells the script the driver has ended: "ok", or what went wrong.
  void Finish(const std::string& outcome);

private:
  // Writes a file whole under its name: the script never reads half of one.
  bool Publish(const std::string& name, const std::string& text);
  std::string folder;
};
