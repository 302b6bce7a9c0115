#include "ShotRequests.h"

#include <cstdio>

namespace {
// Taking a picture waits until the screen holds still.
const DWORD takeTimeoutMs = 60000;
}  // namespace

bool ShotRequests::Take(const std::string& name, const RECT& area) {
  // ImageMagick's geometry: width x height + left + top.
  char geometry[64];
  snprintf(geometry, sizeof(geometry), "%ldx%ld+%ld+%ld", area.right - area.left, area.bottom - area.top, area.left, area.top);
  std::string request = name + ".request";
  if (!Publish(request, geometry)) return false;
  std::string path = folder + "\\" + request;
  DWORD start = ::GetTickCount();
  while (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
    if (::GetTickCount() - start > takeTimeoutMs) return false;
    ::Sleep(50);
  }
  return true;
}

void ShotRequests::Finish(const std::string& outcome) { Publish("finished", outcome); }

bool ShotRequests::Publish(const std::string& name, const std::string& text) {
  std::string part = folder + "\\" + name + ".part";
  HANDLE file = ::CreateFileA(part.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL wrote = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, NULL) && written == text.size();
  ::CloseHandle(file);
  return wrote && ::MoveFileExA(part.c_str(), (folder + "\\" + name).c_str(), MOVEFILE_REPLACE_EXISTING);
}
