#pragma once
#include <cstddef>
#include <string>

// Removes every occurrence of search from text, putting replacement in its
// place when replace is set, and returns how many were found; out receives
// the result. Occurrences begin on character starts, never on the second
// half of a surrogate pair, and units compare exactly. The search resumes in
// the original text right after each occurrence, as a character start
// whatever unit is there: neither the replacement
// nor a join of the text around a removed occurrence is ever searched. An
// empty search finds nothing.
size_t DeleteOrReplace(const std::u16string& text, const std::u16string& search, const std::u16string& replacement, bool replace,
                       std::u16string& out);
