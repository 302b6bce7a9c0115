// A message of the tool's own that quotes memo names or paths: its text is
// code page 932, as every text of ours; the names are UTF-8 and may hold
// what code page 932 cannot spell, so the whole goes out in UTF-16.
#pragma once
#include <initializer_list>
#include <string>

#include "core/NameText.h"
#include "framework/WideText.h"

// format with each %s in turn replaced by the next name.
inline std::u16string NamedMessage(const char* format, std::initializer_list<std::string> names) {
  std::u16string message = WideFromCp932(format);
  size_t at = 0;
  for (const std::string& name : names) {
    at = message.find(u"%s", at);
    if (at == std::u16string::npos) break;
    std::u16string wide = Utf16FromUtf8(name);
    message.replace(at, 2, wide);
    at += wide.size();
  }
  return message;
}
