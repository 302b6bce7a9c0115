// CString and CStringArray: code page 932 byte strings.
#pragma once
#include <cstddef>
#include <vector>

// Its one data member points at the zero-terminated text; the length and
// capacity sit in a header just before it. Callers outside the tool (the host
// reading a search result) rely on that single pointer.
class CString {
public:
  CString();
  CString(const char* text);
  CString(const char* text, int length);
  CString(const CString& other);
  ~CString();

  CString& operator=(const CString& other);
  CString& operator=(const char* text);
  CString& operator+=(const char* text);
  CString& operator+=(char c);

  operator const char*() const { return text; }
  const char* GetString() const { return text; }
  int GetLength() const;
  bool IsEmpty() const { return text[0] == '\0'; }
  void Empty();
  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
  bool operator==(const char* other) const;
  bool operator!=(const char* other) const { return !(*this == other); }

  // Writable buffer of at least minLength bytes plus the terminator; call
  // ReleaseBuffer with the length written (or -1 to measure it).
  char* GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);

private:
  void Assign(const char* source, int length);
  void Append(const char* source, int length);
  void Reserve(int capacity, bool keep);
  char* text;
};

class CStringArray {
public:
  int GetSize() const { return static_cast<int>(items.size()); }
  int GetCount() const { return GetSize(); }
  const CString& GetAt(int index) const { return items[index]; }
  const CString& operator[](int index) const { return items[index]; }
  CString& operator[](int index) { return items[index]; }
  int Add(const char* text) {
    items.emplace_back(text);
    return GetSize() - 1;
  }
  void SetAtGrow(int index, const char* text);
  void RemoveAll() { items.clear(); }

private:
  std::vector<CString> items;
};
