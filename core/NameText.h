#pragma once
// Memo file names and folder paths travel through the tool as UTF-8, which
// holds every name Windows can give a file. These are the one place they
// change form: to UTF-16 for the platform, and from and to code page 932 at
// the host's edge, which stores and shows only that.
#include <cstddef>
#include <string>

std::u16string Utf16FromUtf8(const std::string& text);
// A surrogate that is not half of a pair, which a name cannot hold and
// UTF-8 cannot spell, becomes U+FFFD.
std::string Utf8FromUtf16(const char16_t* text, size_t length);
inline std::string Utf8FromUtf16(const std::u16string& text) { return Utf8FromUtf16(text.data(), text.size()); }

// The length of the text's UTF-16 form, in which Windows counts a path.
size_t Utf16Units(const char* text);

// Bytes that are no code page 932 character become U+FFFD.
std::string Utf8FromCp932(const std::string& text);
// False, with out unchanged, when code page 932 has no form for a character.
bool Cp932FromUtf8(const std::string& text, std::string& out);
