#include "core/MemoTitle.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "core/Cp932.h"

static bool BeginsDoubleByte(unsigned char b) { return (b >= 0x80 && b <= 0xA0) || b >= 0xE0; }

bool HasForbiddenChar(const char* title) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(title); *p; ++p) {
    if (BeginsDoubleByte(*p)) {
      if (!*++p) return false;
    } else if (std::strchr("\\/:*?\"<>|", *p)) {
      return true;
    }
  }
  return false;
}

bool IsReservedDeviceName(const char* name) {
  // The platform reads the device's name up to the first dot, blanks at its
  // end ignored. A dot cannot be the second byte of a character.
  size_t length = std::strcspn(name, ".");
  while (length > 0 && name[length - 1] == ' ') --length;
  auto upper = [&](size_t i) { return static_cast<char>(std::toupper(static_cast<unsigned char>(name[i]))); };
  auto is = [&](const char* device) {
    for (size_t i = 0; i < 3; ++i)
      if (upper(i) != device[i]) return false;
    return true;
  };
  if (length == 3) return is("CON") || is("PRN") || is("AUX") || is("NUL");
  if (length == 4 && name[3] >= '1' && name[3] <= '9') return is("COM") || is("LPT");
  return false;
}

std::string TitleFromFileName(const char* fileName) {
  const char* dot = std::strrchr(fileName, '.');
  return dot ? std::string(fileName, dot) : std::string(fileName);
}

MemoFileType MemoFileTypeOf(const char* fileName) {
  // No byte of a double-byte character is a dot, and none of "txt" or "htm"
  // can follow a dot as the second byte of one.
  const char* dot = std::strrchr(fileName, '.');
  if (!dot) return MemoFileType::None;
  auto is = [&](const char* extension) {
    const char* p = dot + 1;
    for (; *extension; ++p, ++extension)
      if ((*p >= 'A' && *p <= 'Z' ? *p + ('a' - 'A') : *p) != *extension) return false;
    return *p == '\0';
  };
  if (is("txt")) return MemoFileType::Text;
  if (is("htm") || is("html")) return MemoFileType::Html;
  return MemoFileType::None;
}

std::string NumberedTitle(const std::string& title, int n, size_t maxLength) {
  std::string number = n == 1 ? std::string() : " (" + std::to_string(n) + ")";
  if (number.size() >= maxLength) return std::string();
  size_t room = maxLength - number.size();
  // The longest run of whole characters from the start that fits the room.
  size_t kept = 0;
  while (kept < title.size()) {
    size_t next = kept + (BeginsDoubleByte(static_cast<unsigned char>(title[kept])) && kept + 1 < title.size() ? 2 : 1);
    if (next > room) break;
    kept = next;
  }
  if (kept == 0) return std::string();
  return title.substr(0, kept) + number;
}

std::string CaptionOf(const std::string& title, const std::string& note) { return note.empty() ? title : title + "  （" + note + "）"; }

std::string FittedCaption(const std::string& title, const std::string& note, int room, const std::function<int(const std::string&)>& width) {
  std::string whole = CaptionOf(title, note);
  if (width(whole) <= room) return whole;
  std::string after = whole.substr(title.size());
  std::vector<size_t> starts;  // of each character, then the end
  for (size_t at = 0; at < title.size(); at += BeginsDoubleByte(static_cast<unsigned char>(title[at])) && at + 1 < title.size() ? 2 : 1)
    starts.push_back(at);
  size_t count = starts.size();
  starts.push_back(title.size());
  // The first half of the kept characters, "…", the second half.
  auto cut = [&](size_t kept) { return title.substr(0, starts[(kept + 1) / 2]) + "…" + title.substr(starts[count - kept / 2]) + after; };
  // Every character kept widens the caption: the most that fit, found by halves.
  size_t low = 0, high = count > 0 ? count - 1 : 0;
  while (low < high) {
    size_t middle = (low + high + 1) / 2;
    if (width(cut(middle)) <= room)
      low = middle;
    else
      high = middle - 1;
  }
  return cut(low);
}

bool MayBeShortName(const std::string& name) {
  if (name.size() > 12) return false;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(name.data());
  for (size_t i = 0; i + 1 < name.size(); ++i) {
    if (IsLeadByte(bytes[i]) && IsTrailByte(bytes[i + 1]))
      ++i;
    else if (bytes[i] == '~' && bytes[i + 1] >= '0' && bytes[i + 1] <= '9')
      return true;
  }
  return false;
}
