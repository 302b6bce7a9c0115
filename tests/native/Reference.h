#pragma once
// Plain character-by-character versions of the core's searches. They are slow
// and obviously right, and the fast code is checked against them.
#include <random>
#include <string>

// Bytes in the CP932 character that starts at text[i].
size_t RefCharLen(const std::string& text, size_t i);

size_t RefFind(const std::string& text, const std::string& word);

size_t RefDeleteOrReplace(const std::string& text, const std::string& search, const std::string& replacement, bool replace,
                          std::string& out);

// Whether any word of keyword, cut at spaces as the host cuts it, occurs in line.
bool RefLineMatches(const std::string& line, std::string keyword);

// Whether a memo holds a line matching keyword, reading the file as a C
// runtime text-mode line reader does.
bool RefScan(const std::string& file, const std::string& keyword);

// Mixed ASCII and CP932 text dense with the traps of the character rule
// (5C, 7C, 40, 41 after lead bytes, lone and invalid lead bytes); with
// lineBytes it also holds CR, LF, NUL and, rarely, Ctrl-Z.
std::string RandomCp932(std::mt19937& rng, size_t pieces, bool lineBytes);
