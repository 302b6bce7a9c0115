#pragma once
#include <cstddef>

#include "core/KeywordMatch.h"
#include "core/ScanResult.h"

// Looks for a matching line in memo text as a text-mode line reader sees it.
// data starts at a line start and ends either after an LF or at the end of
// the memo. CR LF and a lone LF end a line, a lone CR stays in its line, a NUL
// hides the rest of its line, a Ctrl-Z ends the text, empty lines are never
// tested. The stop flag is read before every line examined.
ScanResult ScanLines(const char* data, size_t len, const KeywordWords& words, const volatile int* stopFlag);
