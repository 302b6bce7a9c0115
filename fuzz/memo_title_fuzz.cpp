// The title rules against plain walks and string rules. The whole input, up
// to its first NUL, is the title or file name.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "Check.h"
#include "GuardedCopy.h"
#include "core/MemoTitle.h"

namespace {

char32_t RefForbiddenCharOf(const std::string& title) {
  const std::string_view forbidden = "\\/:*?\"<>|";
  for (char c : title)
    if (static_cast<unsigned char>(c) < 0x20 || forbidden.find(c) != std::string_view::npos) return static_cast<unsigned char>(c);
  return 0;
}

bool RefIsReservedDeviceName(const std::string& name) {
  static const std::set<std::string> devices = {"CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
                                                "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
  std::string base = name.substr(0, name.find('.'));
  base.erase(base.find_last_not_of(' ') + 1);
  for (char& c : base) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return devices.count(base) > 0;
}

std::string RefTitleFromFileName(const std::string& fileName) { return fileName.substr(0, fileName.rfind('.')); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string name = CutAtNul(std::string(reinterpret_cast<const char*>(data), size));
  GuardedCopy copy = GuardedCString(name);
  FUZZ_CHECK(ForbiddenCharOf(copy.data()) == RefForbiddenCharOf(name));
  FUZZ_CHECK(IsReservedDeviceName(copy.data()) == RefIsReservedDeviceName(name));
  FUZZ_CHECK(TitleFromFileName(copy.data()) == RefTitleFromFileName(name));
  return 0;
}
