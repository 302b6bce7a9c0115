// The text the delete-or-replace benchmarks edit, natively and under Wine.
#pragma once
#include <cstddef>
#include <string>

// The word the benchmarks delete or replace: two characters.
extern const char16_t EditWord[];

// A few characters of text, then EditWord, a unit; 200,000 bytes of code
// page 932 take 20,000 units. Some fillers hold CR LF.
std::u16string MakeEditText(size_t units);

// Keeps the compiler from dropping work whose result is never read.
inline void Consume(const void* p) { asm volatile("" : : "r"(p) : "memory"); }
