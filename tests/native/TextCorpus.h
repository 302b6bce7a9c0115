#pragma once
// Real text installed on the machine, read for the tests that measure the
// encoding rules on it: manual pages, documentation, message catalogues.
#include <string>
#include <vector>

// The file's bytes, ungzipped when its name ends in .gz; false when it
// cannot be read.
bool ReadText(const std::string& path, std::string& out);

// Regular files under root (not symbolic links), sorted, whose names end in
// suffix (any when empty).
std::vector<std::string> FilesUnder(const std::string& root, const std::string& suffix = "");

std::vector<std::string> Lines(const std::string& text);

bool IsAscii(const std::string& text);

// Whether UTF-8 text has a character at U+0800 or above (a lead byte E0-F4).
bool HasWideChar(const std::string& utf8);

// The translations in a compiled gettext catalogue (.mo), each form of a
// plural one on its own, leaving out the catalogue's header.
std::vector<std::string> CatalogueMessages(const std::string& mo);

// UTF-8 text with its katakana, their sound marks and the Japanese
// punctuation that has half-width forms (。「」、・) made half-width, as
// older Japanese systems write them.
std::string HalfWidthKatakana(const std::string& utf8);
