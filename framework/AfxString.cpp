#include "framework/AfxString.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct StringHeader {
  int length;
  int capacity;  // bytes available for text, terminator not counted
};

// Every empty string shares this block, so a default CString costs no allocation.
struct EmptyBlock {
  StringHeader header;
  char text[4];
} emptyBlock = {{0, 0}, {0}};

StringHeader* HeaderOf(char* text) { return reinterpret_cast<StringHeader*>(text) - 1; }
bool IsShared(const char* text) { return text == emptyBlock.text; }

}  // namespace

CString::CString() : text(emptyBlock.text) {}

CString::CString(const char* source) : text(emptyBlock.text) {
  if (source) Assign(source, static_cast<int>(strlen(source)));
}

CString::CString(const char* source, int length) : text(emptyBlock.text) { Assign(source, length); }

CString::CString(const CString& other) : text(emptyBlock.text) { Assign(other.text, other.GetLength()); }

CString::~CString() {
  if (!IsShared(text)) free(HeaderOf(text));
}

CString& CString::operator=(const CString& other) {
  if (this != &other) Assign(other.text, other.GetLength());
  return *this;
}

CString& CString::operator=(const char* source) {
  if (!source) source = "";
  // The source may live inside this string's own buffer.
  CString copy(source, static_cast<int>(strlen(source)));
  Assign(copy.text, copy.GetLength());
  return *this;
}

CString& CString::operator+=(const char* source) {
  if (source) {
    CString copy(source);
    Append(copy.text, copy.GetLength());
  }
  return *this;
}

CString& CString::operator+=(char c) {
  Append(&c, 1);
  return *this;
}

int CString::GetLength() const { return HeaderOf(text)->length; }

void CString::Empty() {
  if (!IsShared(text)) free(HeaderOf(text));
  text = emptyBlock.text;
}

bool CString::operator==(const char* other) const { return strcmp(text, other ? other : "") == 0; }

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  int length = vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length < 0) length = 0;
  CString result;
  result.Reserve(length, false);
  vsnprintf(result.text, length + 1, format, args);
  va_end(args);
  result.ReleaseBuffer(length);
  Assign(result.text, length);
}

char* CString::GetBuffer(int minLength) {
  if (minLength < GetLength()) minLength = GetLength();
  Reserve(minLength, true);
  return text;
}

void CString::ReleaseBuffer(int newLength) {
  if (IsShared(text)) return;
  StringHeader* header = HeaderOf(text);
  if (newLength < 0) newLength = static_cast<int>(strnlen(text, header->capacity));
  if (newLength > header->capacity) newLength = header->capacity;
  header->length = newLength;
  text[newLength] = '\0';
}

void CString::Assign(const char* source, int length) {
  if (length <= 0) {
    Empty();
    return;
  }
  Reserve(length, false);
  memmove(text, source, length);
  ReleaseBuffer(length);
}

void CString::Append(const char* source, int length) {
  if (length <= 0) return;
  int oldLength = GetLength();
  Reserve(oldLength + length, true);
  memcpy(text + oldLength, source, length);
  ReleaseBuffer(oldLength + length);
}

void CString::Reserve(int capacity, bool keep) {
  if (!IsShared(text) && HeaderOf(text)->capacity >= capacity) return;
  int oldLength = GetLength();
  // Grow geometrically so repeated appends stay linear.
  int grown = IsShared(text) ? capacity : HeaderOf(text)->capacity * 2;
  if (grown < capacity) grown = capacity;
  StringHeader* header = static_cast<StringHeader*>(malloc(sizeof(StringHeader) + grown + 1));
  if (!header) abort();
  header->capacity = grown;
  char* fresh = reinterpret_cast<char*>(header + 1);
  header->length = keep ? oldLength : 0;
  if (keep) memcpy(fresh, text, oldLength);
  fresh[header->length] = '\0';
  if (!IsShared(text)) free(HeaderOf(text));
  text = fresh;
}

void CStringArray::SetAtGrow(int index, const char* text) {
  if (index >= GetSize()) items.resize(index + 1);
  items[index] = text;
}
