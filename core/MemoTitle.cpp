#include "core/MemoTitle.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "core/Utf8.h"

// The byte after the character that starts at text[at].
static size_t NextChar(const std::string& text, size_t at) {
  char32_t c;
  return at + DecodeUtf8Char(reinterpret_cast<const unsigned char*>(text.data()) + at, text.size() - at, c);
}

char32_t ForbiddenCharOf(const char* title) {
  // Every byte of a UTF-8 character beyond ASCII is 80 or above: none is
  // taken for one of these.
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(title); *p; ++p)
    if (*p < 0x20 || std::strchr("\\/:*?\"<>|", *p)) return *p;
  return 0;
}

bool IsReservedDeviceName(const char* name) {
  // The platform reads the device's name up to the first dot, blanks at its
  // end ignored.
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
    size_t next = NextChar(title, kept);
    if (next > room) break;
    kept = next;
  }
  if (kept == 0) return std::string();
  return title.substr(0, kept) + number;
}

std::string CaptionOf(const std::string& title, const std::string& note) { return note.empty() ? title : title + u8"  （" + note + u8"）"; }

std::string FittedCaption(const std::string& title, const std::string& note, int room,
                          const std::function<int(const std::string&)>& width) {
  std::string whole = CaptionOf(title, note);
  if (width(whole) <= room) return whole;
  std::string after = whole.substr(title.size());
  std::vector<size_t> starts;  // of each character, then the end
  for (size_t at = 0; at < title.size(); at = NextChar(title, at)) starts.push_back(at);
  size_t count = starts.size();
  starts.push_back(title.size());
  // The first half of the kept characters, "…", the second half.
  auto cut = [&](size_t kept) { return title.substr(0, starts[(kept + 1) / 2]) + u8"…" + title.substr(starts[count - kept / 2]) + after; };
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
  for (size_t i = 0; i + 1 < name.size(); ++i)
    if (name[i] == '~' && name[i + 1] >= '0' && name[i + 1] <= '9') return true;
  return false;
}
