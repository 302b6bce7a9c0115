#pragma once
#include <cstddef>
#include <string>

// Removes every occurrence of search from text, putting replacement in its
// place when replace is set, and returns how many were found; out receives
// the result. Occurrences begin on CP932 character starts and bytes compare
// exactly. The search resumes in the original text right after each
// occurrence, as a character start: neither the replacement nor a join of the
// text around a removed occurrence is ever searched. An empty search finds
// nothing.
size_t DeleteOrReplace(const char* text, size_t len, const char* search, size_t searchLen, const char* replacement, size_t replacementLen,
                       bool replace, std::string& out);
