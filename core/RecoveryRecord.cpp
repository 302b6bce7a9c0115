#include "core/RecoveryRecord.h"

#include <cctype>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/NameText.h"

namespace {

// Text lines first, so a person can tell what a record is for; the pane's
// text last, as UTF-16LE of exactly the length its line gives. Records of
// the first form hold the folder and title in code page 932, which cannot
// spell every name; the second form holds them in UTF-8.
const char magic[] = "ScribbitRecovery 2\r\n";
const char cp932Magic[] = "ScribbitRecovery 1\r\n";

bool TakeLine(const std::string& bytes, size_t& at, const char* key, std::string& value) {
  size_t keyLength = std::strlen(key);
  if (bytes.compare(at, keyLength, key) != 0 || at + keyLength >= bytes.size() || bytes[at + keyLength] != ' ') return false;
  size_t start = at + keyLength + 1;
  size_t end = bytes.find("\r\n", start);
  if (end == std::string::npos) return false;
  value.assign(bytes, start, end - start);
  at = end + 2;
  return true;
}

// A number that is the whole field: nothing before or after its digits.
bool ParseNumber(const std::string& field, int base, uint64_t& value) {
  if (field.empty() || !std::isxdigit(static_cast<unsigned char>(field[0]))) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtoull(field.c_str(), &end, base);
  return errno == 0 && *end == '\0';
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == ' ')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

}  // namespace

std::string FormatRecoveryRecord(const RecoveryRecord& record) {
  char numbers[160];
  std::string bytes = magic;
  bytes += "owner " + (record.owner.empty() ? std::string("-") : record.owner) + "\r\n";
  bytes += "serial " + std::to_string(record.serial) + "\r\n";
  bytes += "folder " + record.folder + "\r\n";
  if (!record.home.empty()) bytes += "home " + record.home + "\r\n";
  bytes += "title " + record.title + "\r\n";
  bytes += "encoding " + std::to_string(static_cast<int>(record.encoding)) + "\r\n";
  std::snprintf(numbers, sizeof(numbers), "base %d %" PRIu64 " %" PRIu64 " %016" PRIx64 "\r\n", record.baseExists ? 1 : 0, record.baseSize,
                record.baseLastWrite, record.baseChecksum);
  bytes += numbers;
  bytes += "text " + std::to_string(record.text.size()) + "\r\n";
  size_t at = bytes.size();
  bytes.resize(at + 2 * record.text.size());
  for (char16_t c : record.text) {
    bytes[at++] = static_cast<char>(c & 0xFF);
    bytes[at++] = static_cast<char>(c >> 8);
  }
  return bytes;
}

bool ParseRecoveryRecord(const std::string& bytes, RecoveryRecord& record) {
  bool cp932 = bytes.compare(0, sizeof(cp932Magic) - 1, cp932Magic) == 0;
  if (!cp932 && bytes.compare(0, sizeof(magic) - 1, magic) != 0) return false;
  size_t at = sizeof(magic) - 1;
  std::string owner, serial, encoding, base, length;
  if (!TakeLine(bytes, at, "owner", owner) || !TakeLine(bytes, at, "serial", serial) || !TakeLine(bytes, at, "folder", record.folder))
    return false;
  // Records written before the line was kept have no home.
  record.home.clear();
  TakeLine(bytes, at, "home", record.home);
  if (!TakeLine(bytes, at, "title", record.title) || !TakeLine(bytes, at, "encoding", encoding) || !TakeLine(bytes, at, "base", base) ||
      !TakeLine(bytes, at, "text", length))
    return false;
  record.owner = owner == "-" ? std::string() : owner;
  uint64_t serialNumber = 0, encodingNumber = 0, exists = 0, units = 0;
  std::vector<std::string> stamp = Fields(base);
  if (!ParseNumber(serial, 10, serialNumber) || serialNumber > UINT32_MAX || !ParseNumber(encoding, 10, encodingNumber) ||
      encodingNumber > static_cast<uint64_t>(MemoEncoding::Utf16BeBom) || stamp.size() != 4 || !ParseNumber(stamp[0], 10, exists) ||
      exists > 1 || !ParseNumber(stamp[1], 10, record.baseSize) || !ParseNumber(stamp[2], 10, record.baseLastWrite) ||
      !ParseNumber(stamp[3], 16, record.baseChecksum) || !ParseNumber(length, 10, units) || (bytes.size() - at) / 2 != units ||
      (bytes.size() - at) % 2 != 0)
    return false;
  if (cp932)
    for (std::string* name : {&record.folder, &record.home, &record.title}) *name = Utf8FromCp932(*name);
  record.serial = static_cast<uint32_t>(serialNumber);
  record.encoding = static_cast<MemoEncoding>(encodingNumber);
  record.baseExists = exists == 1;
  record.text.resize(static_cast<size_t>(units));
  for (size_t i = 0; i < record.text.size(); ++i)
    record.text[i] =
        static_cast<char16_t>(static_cast<unsigned char>(bytes[at + 2 * i]) | static_cast<unsigned char>(bytes[at + 2 * i + 1]) << 8);
  return true;
}
